// The manual on paper: nine pages with the text of the screen pages and the
// figures hatched instead of coloured.
#pragma once

class QPrinter;

namespace korvanu {

struct PrintedManual {
  bool Printed = false;  // false: the printer could not begin the document
  int Pages = 0;
  // Every line ended before the right margin (a sixteenth of the page) and
  // every page's text and figures stayed above its bottom edge.
  bool FitsPages = true;
};

// Prints the manual on a printer that is already set up (chosen in the
// print dialog, or a PDF file).
PrintedManual PrintManual(QPrinter& printer);

}  // namespace korvanu
