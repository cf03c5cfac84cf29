// What the printed report contains: the states of the check boxes of the main
// window's options panel, read when Print is chosen.
#pragma once

namespace korvanu {

struct PrintOptions {
  bool General = true;    // "Print General Data"
  bool Layers = true;     // "Print Layers Data"
  bool Anchors = true;    // "Print Anchors Data"
  bool Axial = true;      // "Print Axial Forces Data"
  bool Catalogue = true;  // "Print Catalogue"
  bool Sections = true;   // "Print Sections"
  bool Tables = true;     // "Print Output Tables"
  bool Graphs = true;     // "Print Output Graphs"
  bool Colors =
      false;  // "Print Colors": colours in graphs and cross sections, else black or hatched
  // "Print Design Summary": the checks, searches and verdicts after the
  // graphs. Off unless asked for: its searches run the problem many times.
  bool Design = false;
};

}  // namespace korvanu
