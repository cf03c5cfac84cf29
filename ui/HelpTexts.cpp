// The texts of the help boxes, kept apart from the windows so that their
// wording can be checked on its own.
#include "ui/HelpTexts.h"

namespace korvanu {

QString IntroductionText() {
  return QStringLiteral(
      "Korvanu\n"
      "\n"
      "The sheet pile wall is analysed as a bending beam with elastic support.\n"
      "The soil acts on the wall through non-linear springs. For small displacements\n"
      "the soil stress is proportional to the displacement of the wall. The maximum\n"
      "horizontal effective stress is determined by a passive lateral stress coefficient,\n"
      "and the minimum by an active lateral stress coefficient. The stiffness of the\n"
      "elastic branch follows from the stroke, the displacement difference between\n"
      "active and passive conditions.\n"
      "\n"
      "The user may enter data from a datafile, and edit data interactively.\n"
      "A problem is described by the following data :\n"
      "- General data, such as identification of the problem and the number of layers,\n"
      "- Data of soil layers, such as thickness and mechanical properties,\n"
      "- Data of anchors and lateral forces, acting between layers only,\n"
      "- Data of axial forces and external moment, acting on the top of the wall,\n"
      "- Data of available sheet pile profiles.\n"
      "Output consists of tables and graphs, presented on the screen, or on the printer. \n"
      "Input and output data to be printed are controlled by various options, that can be "
      "selected from the Options menu.\n");
}

QString GeneralDataHelpText() {
  return QStringLiteral(
             "The general data of the program are:\n"
             "- Licensed User : Identification of the user.  Printed on all output.\n"
             "- File Name : Name of the datafile on disk; all files are of the type *.krv,\n"
             "- Problem Name : Identification of the problem.  Printed on all output,\n"
             "- Length : Total length of the sheet pile wall, in m, the sum of all layer "
             "thicknesses,\n"
             "- Number of Elements : Number of subdivisions in beam analysis (max. 1000),\n"
             "- Number of Layers : Number of soil layers (max. 20),\n"
             "- Number of Loading Steps : Number of loading steps (max. 20),\n"
             "- Profile : Sheet pile profile from catalogue (max. 20).\n") +
         QString(67, QLatin1Char('_')) +
         QStringLiteral(
             "\n\n"
             "It is suggested to define a new problem by starting from an existing datafile "
             "or a new\n"
             "datafile, changing its name to a unique new name, and then editing the data.\n\n");
}

QString TablesHelpText() {
  return QStringLiteral(
      "This screen shows the results of the computations in tabular form.\n"
      "- z : Depth,\n"
      "- w : Lateral displacement,\n"
      "- M : Bending moment,\n"
      "- Q- : Shear force just above a point,\n"
      "- Q+ : Shear force just below a point,\n"
      "- F : Concentrated force at a point,\n"
      "- f : Resultant soil pressure.\n"
      "All results can be printed from the main menu.");
}

QString GraphsHelpText() {
  return QStringLiteral(
      "This screen shows the results of the computations in graphical form.\n"
      "- w : Lateral displacement,\n"
      "- M : Bending moment,\n"
      "- Q : Shear force,\n"
      "- f : Resultant soil pressure.\n"
      "All results can be printed from the main menu.");
}

QString ManualHelpText() {
  return QStringLiteral(
      "This screen shows a manual of the program, including a "
      "description of its operation. The manual can be printed "
      "by touching the PRINT key in this screen. ");
}

QString SoilsHelpText() {
  return QStringLiteral(
      "This is a presentation of the soil properies in all layers, in all loading steps, and on "
      "both sides of the sheet pile wall. \n"
      "- Soil Name : a name to identify the layer,\n"
      "-     H : thickness of the layer, in m,\n"
      "-   Wd : volumetric weight in dry condition, in kN/m\u00b3,\n"
      "-   Ws : volumetric weight in saturated condition, in kN/m\u00b3,\n"
      "-   Zw : depth of the phreatic level, below the top of the wall in m,\n"
      "- Cap : thickness of capillary zone, above the phreatic level, in m,\n"
      "-     q : surcharge on this layer, and on all layers below it, in kN/m\u00b2,\n"
      "-     c : cohesion, in kN/m\u00b2,\n"
      "-   Ka : coefficient of active lateral stress,\n"
      "-   Kp : coefficient of passive lateral stress,\n"
      "-   Kn : coefficient of neutral lateral stress,\n"
      "-   Dw : stroke, the lateral displacement difference between the generation of active\n"
      "          and passive lateral stress, in m.\n"
      "\n"
      "At zero displacement the horizontal effective stress is Kn*S, with S the vertical\n"
      "effective stress. Moving away from the soil it decreases linearly to the larger of\n"
      "Ka*S-2*c*sqrt(Ka) and 0, moving towards the soil it increases linearly to\n"
      "Kp*S+2*c*sqrt(Kp). The elastic branch has the length Dw, and it is shifted by the\n"
      "accumulated plastic displacement.");
}

QString ProfilesHelpText() {
  return QStringLiteral(
      "This is a catalogue of sheet pile profiles, available for the problem.\n"
      "- Profile Name : a name to identify the profile,\n"
      "- Area : area of cross section, in m\u00b2/m,\n"
      "- Weight : volumetric weight of material, in kN/m\u00b3,\n"
      "- E : modulus of elasticity of material, in GN/m\u00b2,\n"
      "- h : height of cross section, in m,\n"
      "- i : radius of inertia, in m,\n"
      "- EI =EAi\u00b2 : flexural rigidity, in kNm\u00b2/m.\n"
      "The area A and the flexural rigidity EI are given per meter width of the wall,\n"
      "so that A can also be considered as the average thickness of the material.");
}

QString AnchorsHelpText() {
  return QStringLiteral(
      "This is a list of the anchor properties, in all loading steps:\n"
      "- Fx : Constant external force (in kN/m), positive when acting to the right,\n"
      "- Fa : Maximum force of anchor (in kN/m), opposite to displacement direction,\n"
      "         (a non-negative value),\n"
      "- Dw : Displacement (in m) to generate maximum anchor force, positive to the right.\n"
      "         For an anchor on the left side Dw should be positive,\n"
      "         For an anchor on the right side Dw should be negative,\n"
      "\n"
      "For an anchor on the left side, with w the displacement (positive to the right)\n"
      "and wp the accumulated plastic deformation :\n"
      "   F=Fx if (w-wp)<0,\n"
      "   F=Fx-Fa*(w-wp)/Dw if 0<(w-wp)<Dw.\n"
      "   F=Fx-Fa if (w-wp)>Dw.\n"
      "For an anchor on the right side :\n"
      "   F=Fx if (w-wp)>0,\n"
      "   F=Fx+Fa*(w-wp)/Dw if Dw<(w-wp)<0,\n"
      "   F=Fx+Fa, if (w-wp)<Dw.\n"
      "The plastic deformation wp starts at zero, and is updated whenever plastic\n"
      "deformations occur.");
}

QString AxialHelpText() {
  return QStringLiteral(
      "This is a list of the axial loads:\n"
      " NTop : Normal force (in kN/m) at the top, positive for tension.\n"
      " NBottom : Normal force (in kN/m) at the bottom, positive for tension,\n"
      " MTop : Moment at the top (in kNm/m), positive in clockwise direction.");
}

QString SectionsHelpText() {
  return QStringLiteral(
      "This is a graphical illustration of the properties of the layers, "
      "anchors and axial forces in all loading steps.");
}

QString StrengthHelpText() {
  return QString::fromUtf8(
      "K from φ' derives Ka, Kn and Kp, and with k_h the stroke Dw, of the layer under the "
      "cursor from the strength of its soil, in the loading step and on the side shown. Apply "
      "stores them (and c' as c) exactly as typing each value into its cell would: from this "
      "step on, in step 0 on both sides, and a layer without dry weight keeps its water "
      "values. The inputs are kept with the problem and shown again here.\n"
      "\n"
      "The coefficients are those of the horizontal stress on a vertical wall:\n"
      "- Rankine: Ka = tan²(45° - φ'/2), Kp = tan²(45° + φ'/2); no wall friction, level "
      "surface.\n"
      "- Coulomb: plane sliding surfaces with the wall friction δ and the slope β of the "
      "surface (positive rising away from the wall); the horizontal component K·cos δ.\n"
      "- Curved surfaces: Ka as Coulomb; Kp from Lancellotta's lower-bound solution "
      "(R. Lancellotta, Analytical solution of passive earth pressure, Géotechnique 52(8), "
      "2002, 617-619), level surface. Plane surfaces overestimate Kp badly for δ > φ'/3: "
      "φ' 30°, δ 20° gives 5.74 with Coulomb, 4.63 with curved surfaces.\n"
      "- Kn at rest: 1 - sin φ' (Jaky), times OCR^sin φ' when OCR is given (Mayne and "
      "Kulhawy, 1982).\n"
      "Ka ≤ Kn ≤ Kp always holds.\n"
      "\n"
      "The soil law's stiffness per unit area is (Sp - Sa)/Dw, which is (Kp - Ka)·σ'v/Dw "
      "without cohesion. Dw = (Sp - Sa)/k_h makes it k_h at the vertical effective stress σ'v "
      "in the middle of the layer in the initial state (step 0). Inside a layer the stiffness "
      "grows with depth as σ'v does.\n"
      "\n"
      "Typical k_h (kN/m³), from the ranges of the modulus of subgrade reaction in\n"
      "J. E. Bowles, Foundation Analysis and Design, 5th ed., McGraw-Hill 1996, Table 9-1:\n"
      "- loose sand: 4 800 - 16 000\n"
      "- medium dense sand: 9 600 - 80 000\n"
      "- dense sand: 64 000 - 128 000\n"
      "- clayey medium dense sand: 32 000 - 80 000\n"
      "- silty medium dense sand: 24 000 - 48 000\n"
      "- clay, qu ≤ 200 kPa: 12 000 - 24 000\n"
      "- clay, 200 < qu ≤ 800 kPa: 24 000 - 48 000\n"
      "- clay, qu > 800 kPa: above 48 000\n"
      "\n"
      "Ranges: φ' 0 to 50°; |δ| ≤ φ' (δ/φ' from -1 to 1); -φ' ≤ β < φ', and only with "
      "Coulomb; c' ≥ 0; OCR ≥ 1; k_h > 0.");
}

}  // namespace korvanu
