#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "ui/shared_state.h"
#include "ui/text_slice.h"

namespace tessarin {

/// Decodes one program word, given as four hexadecimal characters high byte
/// first ("1683"), into one assembler line: the mnemonic alone, or the
/// mnemonic, one TAB and the operand ("BSF\tSTATUS,RP0"). A word that is no
/// instruction becomes "DATA\t0x.." (first two characters "00") or
/// "DW\t0x....". Any text is accepted; characters past its end simply match
/// nothing.
///
/// Reads `CurrentAddress` for the page letter of CALL/GOTO labels; while
/// `PassNumber` is 1 adds each such label name to `List2`. Empties
/// `NameWarning` first and appends any lookup warning to bit-instruction lines.
std::string DecodeWord(std::string_view word, SharedState& state);

/// A text of at most eight characters kept in eight bytes, which a
/// `DecodedLine` takes in one move: a mnemonic and what follows it.
class ShortText {
 public:
  template <size_t N>
  constexpr ShortText(const char (&text)[N]) : size_(N - 1) {  // NOLINT: a literal is one
    static_assert(N - 1 <= sizeof chars_, "a short text has at most eight characters");
    for (size_t k = 0; k + 1 < N; ++k) chars_[k] = text[k];
  }

 private:
  friend class DecodedLine;
  char chars_[8] = {};
  size_t size_;
};

/// A line as the decoder writes it, built in place: the pass decodes every
/// word of a file, and a line written into a buffer of its own costs no
/// allocation and few instructions. It holds the longest text the decoder
/// writes (44 characters: a bit instruction on an unnamed register, with its
/// warning) behind the 22 columns of a listing's word line; characters past
/// the capacity would be dropped.
class DecodedLine {
 public:
  static constexpr size_t kCapacity = 96;

  DecodedLine& operator+=(char c) {
    if (size_ < kCapacity) text_[size_++] = c;
    return *this;
  }
  DecodedLine& operator+=(std::string_view text) { return Append(text.data(), text.size()); }
  /// A literal or an array: characters of a fixed count, copied in one move.
  template <size_t N>
  DecodedLine& operator+=(const char (&text)[N]) {
    return AppendFixed<N - 1>(text);
  }
  template <size_t N>
  DecodedLine& operator+=(const std::array<char, N>& text) {
    return AppendFixed<N>(text.data());
  }
  DecodedLine& operator+=(const ShortText& text) {
    // All eight bytes at once, where the line has room for them.
    if (kCapacity - size_ < sizeof text.chars_) return Append(text.chars_, text.size_);
    std::memcpy(text_ + size_, text.chars_, sizeof text.chars_);
    size_ += text.size_;
    return *this;
  }
  std::string_view View() const { return {text_, size_}; }
  void Clear() { size_ = 0; }

 private:
  template <size_t kCount>
  DecodedLine& AppendFixed(const char* text) {
    if (kCapacity - size_ < kCount) return Append(text, kCount);
    std::memcpy(text_ + size_, text, kCount);
    size_ += kCount;
    return *this;
  }
  DecodedLine& Append(const char* text, size_t count) {
    count = std::min(count, kCapacity - size_);
    if (count > 0) std::memcpy(text_ + size_, text, count);
    size_ += count;
    return *this;
  }

  char text_[kCapacity];
  size_t size_ = 0;
};

/// The name of a CALL or GOTO label: a page letter and four characters.
using LabelName = std::array<char, 5>;

/// The label of target address `address` (0-0x1FFF): the letter of its page
/// ("W" to "Z") and the address in four upper-case digits ("X0805").
LabelName ClassicTargetLabel(int address);

/// The label name `DecodeWord` gives a CALL or GOTO word at `address`, and
/// the target address when the name is that address's `ClassicTargetLabel`:
/// past the first page always, on it when the word's digits are upper-case.
struct ClassicLabel {
  LabelName name;
  std::optional<int> address;

  std::string_view Name() const { return {name.data(), name.size()}; }
};

/// Appends the line `DecodeWord` gives to `line`, with the same effects on
/// `state`. The label that the line names, for a CALL or GOTO word.
std::optional<ClassicLabel> DecodeWordInto(std::string_view word, SharedState& state,
                                           DecodedLine& line);

/// `FindClassicLabel` for a word of the branch class, whose first character
/// is "2".
std::optional<ClassicLabel> FindBranchClassLabel(std::string_view word, int16_t address);

/// The target of a CALL or GOTO word at word address `address`; nothing for
/// any other word.
inline std::optional<ClassicLabel> FindClassicLabel(std::string_view word, int16_t address) {
  // The first character is all that most words cost.
  if (CharAt(word, 1) != '2') return std::nullopt;
  return FindBranchClassLabel(word, address);
}

/// What `DecodeWord` does to `List2` in the first sweep, without building the
/// line: adds the label name of a CALL or GOTO word, and nothing for any
/// other word.
void CollectBranchTarget(std::string_view word, SharedState& state);

/// The file-register operand of a byte-oriented instruction from its low
/// byte `c3 c4`: "0x" + register + ",0" or ",1", or "None" when c3 is not an
/// upper-case hex digit.
std::string FormatFileOperand(std::string_view low_byte);

}  // namespace tessarin
