// One word through the decoder at any address, in either sweep: the first
// four bytes are the word, the next two the address, the next one the sweep.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decode/decoder.h"
#include "ui/text_slice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view word = input.substr(0, 4);
  tessarin::SharedState decoded;
  tessarin::SharedState collected;
  if (size >= 6) decoded.CurrentAddress = static_cast<int16_t>(data[4] | (data[5] << 8));
  decoded.PassNumber = size >= 7 ? data[6] % 3 : 1;
  collected.CurrentAddress = decoded.CurrentAddress;
  collected.PassNumber = decoded.PassNumber;

  const std::string line = tessarin::DecodeWord(word, decoded);
  tessarin::CollectBranchTarget(word, collected);
  if (line.empty()) std::abort();
  // The first sweep collects exactly what decoding collects.
  if (decoded.List2.Items() != collected.List2.Items()) std::abort();

  bool hex_word = word.size() == 4;
  for (char c : word) hex_word = hex_word && tessarin::IsUpperHexDigit(c);
  if (hex_word) {
    // A word of four upper-case digits gives one TAB at most and no blank at
    // either end.
    size_t tabs = 0;
    for (char c : line) tabs += c == '\t';
    if (tabs > 1 || line.front() == ' ' || line.back() == ' ') std::abort();
  }
  return 0;
}
