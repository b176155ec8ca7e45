#include "ui/cp1252.h"

#include <array>
#include <cstdint>

namespace tessarin {
namespace {

// Bytes 80-9F; every other byte is the Unicode character of its own value.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 80
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',  // 88
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 90
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',  // 98
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    c = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return false;
  }
  if (pos + static_cast<size_t>(length) > text.size()) {
    ++pos;
    return false;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + static_cast<size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return false;
    }
    c = (c << 6) | (next & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return false;
  }
  pos += static_cast<size_t>(length);
  return true;
}

char16_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char UnicodeToCp1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<char>(code_point);
  }
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == code_point) return static_cast<char>(0x80 + k);
  }
  return '?';
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t c = 0;
    out += DecodeUtf8(utf8, pos, c) ? UnicodeToCp1252(c) : '?';
  }
  return out;
}

}  // namespace tessarin
