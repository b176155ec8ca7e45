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

/// A line as the decoder writes it, built in place: the pass decodes every
/// word of a file, and a line written into a buffer of its own costs no
/// allocation and a few instructions a character. The longest line the
/// decoder writes has 44 characters (a bit instruction on an unnamed
/// register, with its warning); characters past the capacity would be
/// dropped.
class DecodedLine {
 public:
  static constexpr size_t kCapacity = 64;

  DecodedLine& operator+=(char c) {
    if (size_ < kCapacity) text_[size_++] = c;
    return *this;
  }
  DecodedLine& operator+=(std::string_view text) {
    const size_t count = std::min(text.size(), kCapacity - size_);
    if (count > 0) std::memcpy(text_ + size_, text.data(), count);
    size_ += count;
    return *this;
  }
  std::string_view View() const { return {text_, size_}; }
  void Clear() { size_ = 0; }

 private:
  char text_[kCapacity];
  size_t size_ = 0;
};

/// Replaces `line` by the line `DecodeWord` gives, with the same effects on
/// `state`.
void DecodeWordInto(std::string_view word, SharedState& state, DecodedLine& line);

/// The name of a CALL or GOTO label: a page letter and four characters.
using LabelName = std::array<char, 5>;

/// The label of target address `address` (0-0x1FFF): the letter of its page
/// ("W" to "Z") and the address in four upper-case digits ("X0805").
LabelName ClassicTargetLabel(int address);

/// The label name `DecodeWord` gives a CALL or GOTO word at `address`, and
/// the target address when the name is that address's `ClassicTargetLabel`: past
/// the first page always, on it when the word's digits are upper-case.
struct ClassicLabel {
  LabelName name;
  std::optional<int> address;

  std::string_view Name() const { return {name.data(), name.size()}; }
};

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
