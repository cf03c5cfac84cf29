// The header of every printed page: title, page number, the program line on
// the first page of a report, and the user and problem names.
#pragma once

#include "print/PrintContext.h"

namespace korvanu {

// The line that identifies the program on the first page of a report.
extern const char* const ProgramIdentification;

// Starts a new page unless y is 0 (the first page of the document), prints the
// header, leaves TextFont selected and returns the first free y below it.
int PageFrame(PrintContext& context, int y);

}  // namespace korvanu
