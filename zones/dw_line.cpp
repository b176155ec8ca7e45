#include "zones/dw_line.h"

#include "pass/listing_line.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

constexpr std::string_view kDwMnemonic = "DW   ";
constexpr int kMnemonicColumn = 23;
constexpr int kFirstWordColumn = 30;
constexpr int kColumnsPerWord = 7;
constexpr size_t kCommentColumn = 82;  // the text is padded to this width first

}  // namespace

bool HasWordAddress(std::string_view line) {
  const std::string_view address = Mid(line, 1, 4);
  if (address.size() != 4) return false;
  for (char c : address) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

bool IsDwLine(std::string_view line) {
  return HasWordAddress(line) && Mid(line, kMnemonicColumn, 5) == kDwMnemonic;
}

std::vector<std::string> DwWords(std::string_view line) {
  std::vector<std::string> words;
  if (Mid(line, kFirstWordColumn - 2, 2) != "0x") return words;
  words.emplace_back(Mid(line, kFirstWordColumn, 4));
  // The separator of each further word sits in the three columns after the
  // word before it. After an eighth word these hold "; " and a comment
  // character, so a comment that reads ",0x" is never taken for a word.
  for (int column = kFirstWordColumn + 4;; column += kColumnsPerWord) {
    if (Mid(line, column, 3) != ",0x") break;
    words.emplace_back(Mid(line, column + 3, 4));
  }
  return words;
}

DwText::DwText(std::string_view line) {
  text_.reserve(kCommentColumn + 2 + kMaxDwWords);
  text_.append(Mid(line, 1, 22));
  text_.append(kDwMnemonic);
  text_ += "0x";
  text_.append(Mid(line, 7, 4));
}

void DwText::AddWord(std::string_view line) {
  text_ += ",0x";
  text_.append(Mid(line, 7, 4));
  ++word_count_;
}

std::string DwText::Finish() && {
  // The low byte of each word is the two characters at columns 32, 39, 46
  // and so on, read from the text as it stands; with a first line shorter
  // than 22 columns they are wherever those columns fall.
  std::string comment;
  const int length = static_cast<int>(text_.size());
  for (int column = kFirstWordColumn + 2; column <= length; column += kColumnsPerWord) {
    comment += ByteChar(Mid(text_, column, 2));
  }
  for (size_t k = 12; k < 14 && k < text_.size(); ++k) text_[k] = ' ';
  if (text_.size() < kCommentColumn) text_.resize(kCommentColumn, ' ');
  text_ += "; ";
  text_ += comment;
  return std::move(text_);
}

}  // namespace tessarin
