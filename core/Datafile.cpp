// Writer and reader of the .krv datafile: fixed printf formats with CR LF line
// ends on the way out; a lenient, line-ordered reader on the way in that
// refuses a file it cannot place instead of storing outside a table.
#include "core/Datafile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/DatafileDesign.h"
#include "core/DatafileStrength.h"
#include "core/DatafileText.h"
#include "core/Limits.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kSeparator = "########################";
constexpr const char* kLayerHeader =
    "#   Layer    Wd         Ws         Zw    "
    "     Cap         q          c          Ka    "
    "     Kp         Kn         Dw    ";
constexpr const char* kCatalogueHeader =
    "#  Profile   Area      Weight       E"
    "       t          i            EI    Profile name";

// A piece read by the reader is at most this long, its line break included.
constexpr size_t kPieceLength = 139;
// No field the writer produces is wider, so no written line exceeds
// kPieceLength - 1 characters and every line reads back as one piece.
constexpr size_t kWidestField = 12;

// A real in its fixed format, exactly as printf gives it whenever that fits
// kWidestField characters (every value below 1e8 in magnitude). A wider
// value would make its line longer than the reader takes at once, so it is
// written in exponent form instead, which the reader's conversion reads too.
// Non-finite values are never written: NaN as 0, infinity as the largest double.
std::string Real(int width, int decimals, double v) {
  if (std::isnan(v)) v = 0.0;
  if (std::isinf(v)) v = v > 0 ? DBL_MAX : -DBL_MAX;
  std::string fixed = Format("%*.*f", width, decimals, v);
  if (fixed.size() <= kWidestField) return fixed;
  for (int precision = 16; precision > 0; --precision) {
    std::string e = Format("%*.*e", width, precision, v);
    if (e.size() <= kWidestField) return e;
  }
  return Format("%*.0e", width, v);
}

// A text as one field of its own line: no line breaks or NULs (they would
// split the line), at most MaxText characters.
std::string CleanText(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (c != '\r' && c != '\n' && c != '\0') clean += c;
  }
  return CutText(clean);
}

// The bytes of a text field that ends a line begun by `before`. Only a text
// written in UTF-8 (one that Windows-1252 cannot hold, which Save refuses)
// can be longer than the reader takes at once; it is cut at a whole
// character so that the line reads back.
std::string TextBytes(std::string_view text, size_t before) {
  const std::string clean = CleanText(text);
  std::string bytes = DatafileBytesFromText(clean);
  const size_t room = kPieceLength - 1 - before - 1;  // the comma after it
  for (int n = MaxText - 1; bytes.size() > room && n >= 0; --n) {
    bytes = DatafileBytesFromText(CutText(clean, n));
  }
  return bytes;
}

// A text that is a line of its own must not start with "#", or the reader
// would skip the line as a comment and shift every line after it. A leading
// comma keeps the line a data line, and the reader skips it before the text,
// so the text comes back exactly, at its full 40 characters too.
std::string TextLine(std::string_view text) {
  const std::string bytes = TextBytes(text, 1);
  const bool likeComment = !bytes.empty() && bytes[0] == '#';
  return (likeComment ? "," : "") + bytes + "," + kEol;
}

void Line(std::string& out, std::string_view line) {
  out += line;
  out += kEol;
}

// ---------------------------------------------------------------- reader

// Hands out data lines: the pieces of at most kPieceLength characters
// (the line break counted) that do not start with "#". CR LF counts as one
// line break, as a text-mode reader sees it.
class DataLineReader {
 public:
  explicit DataLineReader(std::string_view text) : text_(text) {
    // Editors that mark their files as UTF-8 put these three bytes first;
    // they are no part of the first line.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  enum class Result { Line, End, Overlong };

  // On Line, `line` holds the piece without its line break, cut at a NUL
  // as the C string it was read into would be.
  Result Next(std::string_view& line) {
    for (;;) {
      if (pos_ >= text_.size()) return Result::End;
      const bool continuation = midLine_;
      if (!continuation) FindLineEnd();
      const size_t rest = contentEnd_ - pos_;
      std::string_view piece;
      lineNumber_ = physicalLine_;
      if (rest + (breakLength_ > 0 ? 1 : 0) <= kPieceLength) {
        piece = text_.substr(pos_, rest);
        pos_ = contentEnd_ + breakLength_;
        if (breakLength_ > 0) ++physicalLine_;
        midLine_ = false;
      } else {
        piece = text_.substr(pos_, kPieceLength);
        pos_ += kPieceLength;
        midLine_ = true;
      }
      if (continuation) {
        // The rest of a line longer than one piece. The rest of a comment is
        // comment too; the rest of a data line would be taken as the next data
        // line and shift every line after it, so the file is refused.
        if (commentLine_) continue;
        return Result::Overlong;
      }
      commentLine_ = !piece.empty() && piece[0] == '#';
      if (commentLine_) continue;
      line = piece.substr(0, piece.find('\0'));
      return Result::Line;
    }
  }

  int LineNumber() const { return lineNumber_; }
  // Number of the last line of the file (0 for an empty file).
  int LastLine() const {
    if (text_.empty()) return 0;
    return text_.back() == '\n' ? physicalLine_ - 1 : physicalLine_;
  }

 private:
  void FindLineEnd() {
    const size_t lineEnd = text_.find('\n', pos_);
    if (lineEnd == std::string_view::npos) {
      contentEnd_ = text_.size();
      breakLength_ = 0;
      return;
    }
    contentEnd_ = lineEnd;
    breakLength_ = 1;
    if (contentEnd_ > pos_ && text_[contentEnd_ - 1] == '\r') {
      --contentEnd_;
      ++breakLength_;
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int physicalLine_ = 1;
  int lineNumber_ = 0;
  // The physical line being read: where its content ends, and the bytes of
  // its line break (2 for CR LF, which still counts as one character; 0 at
  // the end of the file).
  size_t contentEnd_ = 0;
  size_t breakLength_ = 0;
  bool midLine_ = false;
  bool commentLine_ = false;
};

// The fields of one data line, taken from left to right.
class Fields {
 public:
  explicit Fields(std::string_view line) : line_(line) {}

  // Blank, "," and ";" separate numbers; a tab does not.
  std::string_view NumberToken() {
    while (pos_ < line_.size() && IsNumberSeparator(line_[pos_])) ++pos_;
    const size_t start = pos_;
    while (pos_ < line_.size() && !IsNumberSeparator(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
  }
  double Real() { return ReadReal(NumberToken()); }
  int Integer() { return ReadInteger(NumberToken()); }

  // Only commas are skipped before a text, so a leading blank is part of it.
  std::string Text() {
    while (pos_ < line_.size() && line_[pos_] == ',') ++pos_;
    const size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ',') ++pos_;
    return CleanText(DatafileTextFromBytes(line_.substr(start, pos_ - start)));
  }

 private:
  static bool IsNumberSeparator(char c) { return c == ' ' || c == ',' || c == ';'; }

  std::string_view line_;
  size_t pos_ = 0;
};

struct Refusal {
  DatafileError error;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : lines_(text) {}

  // The next data line; throws a Refusal naming `what` when the file ends.
  Fields Next(const char* what) {
    std::string_view line;
    switch (lines_.Next(line)) {
      case DataLineReader::Result::Line:
        return Fields(line);
      case DataLineReader::Result::Overlong:
        Refuse(
            Format("the line is longer than %zu characters; its rest would be read as the "
                   "next data line.",
                   kPieceLength - 1));
        break;
      case DataLineReader::Result::End:
        if (lines_.LastLine() == 0) throw Refusal{{0, "the file is empty."}};
        throw Refusal{{lines_.LastLine(), std::string("the file ends before ") + what + "."}};
    }
    return Fields(line);
  }

  [[noreturn]] void Refuse(const std::string& what) { throw Refusal{{lines_.LineNumber(), what}}; }

  void CheckRange(const char* name, int value, int low, int high) {
    if (value < low || value > high) {
      Refuse(Format("%s %d is outside %d..%d.", name, value, low, high));
    }
  }

 private:
  DataLineReader lines_;
};

void ReadInto(std::string_view text, ProblemData& p) {
  Reader in(text);
  GeneralData& g = p.General;

  in.Next("the licensed user line").Text();  // the current user stays
  g.FileName = in.Next("the file name line").Text();
  g.ProblemName = in.Next("the problem name line").Text();

  Fields general = in.Next("the general data line");
  g.Length = general.Real();
  g.NN = general.Integer();
  g.NL = general.Integer();
  g.NT = general.Integer();
  g.NP = general.Integer();
  in.CheckRange("the number of elements", g.NN, 1, MaxElements);
  in.CheckRange("the number of layers", g.NL, 1, MaxLayers);
  in.CheckRange("the number of loading steps", g.NT, 0, MaxSteps);
  in.CheckRange("the profile number", g.NP, 1, MaxProfiles);

  for (int k = 0; k <= g.NL; ++k) {
    Fields f = in.Next("the geometry of the layers is complete");
    const int point = f.Integer();
    in.CheckRange("the point number", point, 0, MaxPoints - 1);
    p.Z[point] = f.Real();
  }
  for (int j = 0; j < g.NL; ++j) p.H[j] = p.Z[j + 1] - p.Z[j];

  for (int s = 0; s <= g.NT; ++s) {
    for (Side side : {Side::Left, Side::Right}) {
      for (int k = 0; k < g.NL; ++k) {
        Fields f = in.Next("the properties of the layers are complete");
        const int layer = f.Integer();
        in.CheckRange("the layer number", layer, 1, MaxLayers);
        LayerProperties& l = p.Layer(layer - 1, s, side);
        l.Wd = f.Real();
        l.Ws = f.Real();
        l.Zw = f.Real();
        l.Cap = f.Real();
        l.q = f.Real();
        l.c = f.Real();
        l.Ka = f.Real();
        l.Kp = f.Real();
        if (l.Kp < l.Ka) l.Kp = l.Ka;
        l.Kn = f.Real();
        if (l.Kn < l.Ka) l.Kn = l.Ka;
        if (l.Kn > l.Kp) l.Kn = l.Kp;
        l.Dw = f.Real();
      }
    }
  }

  for (int s = 0; s <= g.NT; ++s) {
    for (int k = 0; k <= g.NL; ++k) {
      Fields f = in.Next("the anchors and lateral forces are complete");
      const int point = f.Integer();
      in.CheckRange("the point number", point, 0, MaxPoints - 1);
      AnchorRecord& a = p.Anchors[s][point];
      a.Fx = f.Real();
      a.Fa = f.Real();
      a.Fw = f.Real();
    }
  }

  for (int k = 0; k <= g.NT; ++k) {
    Fields f = in.Next("the axial forces are complete");
    const int step = f.Integer();
    in.CheckRange("the loading step number", step, 0, MaxSteps);
    AxialRecord& a = p.Axial[step];
    a.NA = f.Real();
    a.NB = f.Real();
    a.MA = f.Real();
  }

  for (int k = 0; k < MaxProfiles; ++k) {
    Fields f = in.Next("the catalogue of profiles is complete");
    const int number = f.Integer();
    in.CheckRange("the profile number", number, 1, MaxProfiles);
    Profile& e = p.Catalogue[number - 1];
    e.Area = f.Real();
    e.Weight = f.Real();
    e.E = f.Real();
    e.h = f.Real();
    e.i = f.Real();
    e.EI = f.Real();
    e.Name = f.Text();
  }
  // Nothing after the last catalogue line is read as data; additions to the
  // format live in comment lines of their own kind.
  if (auto error = ReadStrengthLines(text, p)) throw Refusal{*error};
  if (auto error = ReadDesignLines(text, p)) throw Refusal{*error};
}

}  // namespace

std::string WriteDatafile(const ProblemData& problem) {
  const GeneralData& g = problem.General;
  std::string out;
  out.reserve(16384);

  Line(out, kSeparator);
  Line(out, "#  Korvanu : Sheet Pile Wall");
  Line(out, kSeparator);
  Line(out, "#  General Data");
  Line(out, kSeparator);
  Line(out, "#  Licensed User");
  out += TextLine(g.LicensedUser);
  Line(out, "#  File Name");
  out += TextLine(g.FileName);
  Line(out, "#  Problem Name");
  out += TextLine(g.ProblemName);
  Line(out, "#    Length        NN       NL       NT       NP    Version");
  out += Real(12, 3, g.Length) + Format(",%8d,%8d,%8d,%8d,%8d,", g.NN, g.NL, g.NT, g.NP, g.Version);
  out += kEol;

  // Counts outside the tables cannot come from the reader or the grid; the
  // clamps only keep a damaged record from reading past a table.
  const int layers = std::clamp(g.NL, 0, MaxLayers);
  const int steps = std::clamp(g.NT, 0, MaxSteps);

  Line(out, kSeparator);
  Line(out, "#  Geometry of Layers");
  Line(out, kSeparator);
  Line(out, "#  Point       Z");
  for (int p = 0; p <= layers; ++p) {
    Line(out, Format("%6d,", p) + Real(12, 3, problem.Z[p]) + ",");
  }

  Line(out, kSeparator);
  Line(out, "#  Properties of Layers");
  Line(out, kSeparator);
  for (int s = 0; s <= steps; ++s) {
    for (Side side : {Side::Left, Side::Right}) {
      Line(out, Format("#   Step %d - %s side", s, side == Side::Left ? "Left" : "Right"));
      Line(out, kLayerHeader);
      for (int j = 0; j < layers; ++j) {
        const LayerProperties& l = problem.Layer(j, s, side);
        std::string line = Format(" %6d", j + 1);
        for (double v : {l.Wd, l.Ws, l.Zw, l.Cap, l.q, l.c, l.Ka, l.Kp, l.Kn, l.Dw}) {
          line += ",";
          line += Real(10, 3, v);
        }
        Line(out, line);
      }
    }
  }

  Line(out, kSeparator);
  Line(out, "#  Anchors and Lateral Forces");
  Line(out, kSeparator);
  for (int s = 0; s <= steps; ++s) {
    Line(out, Format("#   Step %d", s));
    Line(out, "#   Point      Fx           Fa           Fw    ");
    for (int p = 0; p <= layers; ++p) {
      const AnchorRecord& a = problem.Anchors[s][p];
      Line(out, Format(" %6d,", p) + Real(12, 3, a.Fx) + "," + Real(12, 3, a.Fa) + "," +
                    Real(12, 3, a.Fw) + ",");
    }
  }

  Line(out, kSeparator);
  Line(out, "#  Axial Forces and Moment");
  Line(out, kSeparator);
  Line(out, "#   Step       NA           NB           MA    ");
  for (int s = 0; s <= steps; ++s) {
    const AxialRecord& a = problem.Axial[s];
    Line(out, Format(" %6d,", s) + Real(12, 3, a.NA) + "," + Real(12, 3, a.NB) + "," +
                  Real(12, 3, a.MA) + ",");
  }

  Line(out, kSeparator);
  Line(out, "#  Catalogue of Profiles");
  Line(out, kSeparator);
  Line(out, kCatalogueHeader);
  for (int n = 0; n < MaxProfiles; ++n) {
    const Profile& e = problem.Catalogue[n];
    const std::string numbers = Format(" %6d,", n + 1) + Real(10, 6, e.Area) + "," +
                                Real(10, 3, e.Weight) + "," + Real(10, 3, e.E) + "," +
                                Real(10, 6, e.h) + "," + Real(10, 6, e.i) + "," +
                                Real(10, 1, e.EI) + ",";
    Line(out, numbers + TextBytes(e.Name, numbers.size()) + ",");
  }
  Line(out, kSeparator);
  out += WriteStrengthLines(problem);
  out += WriteDesignLines(problem);
  return out;
}

std::optional<DatafileError> ReadDatafile(std::string_view text, ProblemData& problem) {
  ProblemData copy = problem;
  try {
    ReadInto(text, copy);
  } catch (const Refusal& refusal) {
    return refusal.error;
  }
  problem = std::move(copy);
  return std::nullopt;
}

std::optional<DatafileError> ReadKeywordLines(
    std::string_view text, std::string_view keyword,
    const std::function<std::string(std::string_view line)>& read) {
  int number = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    ++number;
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, keyword.size()) != keyword) continue;
    if (line.size() > keyword.size() && line[keyword.size()] != ' ' &&
        line[keyword.size()] != '\t') {
      continue;
    }
    if (std::string why = read(line); !why.empty()) return DatafileError{number, std::move(why)};
  }
  return std::nullopt;
}

}  // namespace korvanu
