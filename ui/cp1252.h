#pragma once

#include <string>
#include <string_view>

namespace tessarin {

/// The Unicode character of one Windows-1252 byte. The five bytes that the
/// code page leaves undefined (81, 8D, 8F, 90, 9D) map to the control
/// characters of the same value, as Windows itself maps them, so that every
/// byte survives a round trip.
char16_t Cp1252ToUnicode(unsigned char byte);

/// The Windows-1252 byte of a Unicode character, or '?' when the code page
/// has none for it.
char UnicodeToCp1252(char32_t code_point);

/// Decodes the UTF-8 sequence at `pos` into `c` and moves past it. A
/// malformed, overlong, surrogate or cut sequence, or one past U+10FFFF,
/// gives false and moves past one byte. `pos` must be within `text`.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& c);

/// Windows-1252 bytes as UTF-8 text.
std::string Cp1252ToUtf8(std::string_view bytes);

/// UTF-8 text as Windows-1252 bytes: a character the code page lacks, and
/// each byte of a malformed sequence, becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace tessarin
