#include "cli/terminal_text.h"

#include "ui/cp1252.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// The length of the well-formed UTF-8 sequence of a printable character
// that starts `text`, or 0: an ASCII control, a C1 control (U+0080 to
// U+009F), a stray or overlong byte, a surrogate or a cut sequence.
size_t PrintableLength(std::string_view text) {
  size_t length = 0;
  char32_t c = 0;
  if (!DecodeUtf8(text, length, c)) return 0;
  const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  return control ? 0 : length;
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
