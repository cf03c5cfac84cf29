// Windows-1252 and UTF-8 for the datafile's texts. Windows-1252 is the 8-bit
// character set such datafiles are written in: it holds the letters of the
// western languages and also "€", "–" and the typographic quotes.
#include "core/DatafileText.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/TextFormat.h"

namespace korvanu {
namespace {

// The characters of the bytes 0x80..0x9F. The five bytes that Windows-1252
// leaves unused map to the control characters of the same number, so that
// any byte reads back as itself.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ToWindows1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == c) return static_cast<unsigned char>(0x80 + k);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character at `pos` of strict UTF-8 (no overlong forms, no surrogates)
// and its length, or nothing when the bytes there are not UTF-8.
std::optional<std::pair<char32_t, size_t>> Utf8At(std::string_view text, size_t pos) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return std::pair<char32_t, size_t>{lead, 1};
  size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + length > text.size()) return std::nullopt;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(pos + k) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(pos + k) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return std::pair<char32_t, size_t>{c, length};
}

bool IsUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const auto c = Utf8At(text, pos);
    if (!c) return false;
    pos += c->second;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char b : bytes) AppendUtf8(out, FromWindows1252(static_cast<unsigned char>(b)));
  return out;
}

// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has none.
std::optional<std::string> Utf8ToWindows1252(std::string_view text, char32_t* missing = nullptr) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const auto c = Utf8At(text, pos);
    // The record holds UTF-8; a stray byte is taken as the character it is in
    // Windows-1252, as the reader would have taken it.
    const char32_t character =
        c ? c->first : FromWindows1252(static_cast<unsigned char>(text[pos]));
    const auto b = ToWindows1252(character);
    if (!b) {
      if (missing) *missing = character;
      return std::nullopt;
    }
    out += static_cast<char>(*b);
    pos += c ? c->second : 1;
  }
  return out;
}

}  // namespace

std::string DatafileTextFromBytes(std::string_view bytes) {
  // Windows-1252 text with letters beyond ASCII is hardly ever valid UTF-8:
  // each such letter would have to be followed by just the right bytes. So
  // validity tells the two apart, and both kinds of file show as written.
  if (IsUtf8(bytes)) return std::string(bytes);
  return Windows1252ToUtf8(bytes);
}

std::string DatafileBytesFromText(std::string_view text) {
  const auto bytes = Utf8ToWindows1252(text);
  // Bytes that read back as other text (the Windows-1252 form of "Ã©" is the
  // UTF-8 of "é") are written in UTF-8, which reads back as it was.
  if (bytes && DatafileTextFromBytes(*bytes) == text) return *bytes;
  return std::string(text);
}

std::string DatafileTextRefusal(std::string_view text, std::string_view what) {
  const std::string field(what);
  if (const size_t comma = text.find(','); comma != std::string_view::npos) {
    return Format(
        "%s cannot hold a comma: the datafile separates its fields by commas, so\n"
        "'%s' would be read back as '%s'.",
        field.c_str(), std::string(text).c_str(), std::string(text.substr(0, comma)).c_str());
  }
  char32_t missing = 0;
  const auto bytes = Utf8ToWindows1252(text, &missing);
  if (!bytes) {
    std::string character;
    AppendUtf8(character, missing);
    return Format(
        "%s cannot hold the character '%s' (U+%04X): the datafile holds texts in the\n"
        "Windows-1252 character set, which has no such character.",
        field.c_str(), character.c_str(), static_cast<unsigned>(missing));
  }
  if (const std::string back = DatafileTextFromBytes(*bytes); back != text) {
    return Format("%s: the datafile would read '%s' back as '%s'.", field.c_str(),
                  std::string(text).c_str(), back.c_str());
  }
  return std::string();
}

}  // namespace korvanu
