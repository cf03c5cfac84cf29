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

QString SectionsHelpText() {
  return QStringLiteral(
      "This is a graphical illustration of the properties of the layers, "
      "anchors and axial forces in all loading steps.");
}

}  // namespace korvanu
