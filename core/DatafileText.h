// The one conversion between the problem's texts and the datafile's 8-bit
// text: the record, the screen and the printed report hold UTF-8, the
// datafile holds Windows-1252 (and reads UTF-8 that other editors write).
#pragma once

#include <string>
#include <string_view>

namespace korvanu {

// A text field as read from a datafile: taken as UTF-8 when it is valid
// UTF-8 (so a file written by a UTF-8 editor shows as written), otherwise
// as Windows-1252. Plain ASCII is the same either way.
std::string DatafileTextFromBytes(std::string_view bytes);

// A text of the record as the datafile holds it: in Windows-1252 when that
// reads back as the same text. A text that only came from a UTF-8 datafile
// can hold characters Windows-1252 lacks; it is written in UTF-8, which the
// reader takes back as it was.
std::string DatafileBytesFromText(std::string_view text);

// Why the datafile cannot hold `text` as a text field in Windows-1252 (a
// comma ends a field; a character outside Windows-1252; bytes that would
// read back as other text), or empty when it can. `what` names the field in
// the message, e.g. "Problem Name".
std::string DatafileTextRefusal(std::string_view text, std::string_view what);

}  // namespace korvanu
