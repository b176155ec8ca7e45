#include "cli/terminal_text.h"

#include "ui/text_slice.h"

namespace tessarin {
namespace {

// The length of the well-formed UTF-8 sequence of a printable character
// that starts `text`, or 0: an ASCII control, a C1 control (U+0080 to
// U+009F), a stray or overlong byte, a surrogate or a cut sequence.
size_t PrintableLength(std::string_view text) {
  const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  size_t length = 0;
  unsigned low = 0x80;  // the bounds of the second byte
  unsigned high = 0xBF;
  if (lead == 0xC2) {
    low = 0xA0;  // C2 80 to C2 9F are the C1 controls
    length = 2;
  } else if (lead > 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string TerminalText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  while (!text.empty()) {
    size_t length = PrintableLength(text);
    if (text[0] == '\\') {
      safe += "\\\\";
      length = 1;
    } else if (length == 0) {
      const auto value = static_cast<unsigned char>(text[0]);
      safe += {'\\', 'x', HexDigit(value >> 4), HexDigit(value)};
      length = 1;
    } else {
      safe.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return safe;
}

}  // namespace tessarin
