#include "files/hex_check.h"

#include <array>
#include <bitset>

#include "files/hex_file.h"
#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "processors/processor.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

constexpr int kKindCount = static_cast<int>(HexDefect::kEmptyFile) + 1;

constexpr std::array<std::string_view, kKindCount> kDefectTexts = {
    "no start colon",                                      // kNoStartColon
    "a character that is not a hex digit",                 // kNotHexDigit
    "a byte count that disagrees with the line's length",  // kByteCountMismatch
    "a record cut at 255 characters",                      // kCutAt255
    "a wrong checksum",                                    // kWrongChecksum
    "a word above 0x3FFF",                                 // kWordAbove3FFF
    "a record at an odd byte address",                     // kOddAddress
    "a record with an odd byte count",                     // kOddByteCount
    "a word address written again",                        // kRepeatedAddress
    "a record after the end record",                       // kAfterEnd
    "no end record",                                       // kNoEndRecord
    "an empty file",                                       // kEmptyFile
};

// A record of n bytes: start code, count, address, type, data, checksum.
constexpr size_t RecordLength(int byte_count) { return 11 + 2 * static_cast<size_t>(byte_count); }

// The characters of a record after its start code, read two at a time: the
// sum of the bytes they spell when every one of them is a hex digit.
std::optional<unsigned> ByteSum(std::string_view record) {
  unsigned sum = 0;
  size_t at = 1;
  for (; at + 1 < record.size(); at += 2) {
    const int high = HexDigitOrNone(record[at]);
    const int low = HexDigitOrNone(record[at + 1]);
    if ((high | low) < 0) return std::nullopt;
    sum += static_cast<unsigned>(high * 16 + low);
  }
  if (at < record.size() && !IsHexDigit(record[at])) return std::nullopt;
  return sum;
}

// A program word has 14 bits, an enhanced part's configuration word 16; the
// words as the pass reads them, at the addresses `base` gives the record.
bool HasWordAbove3FFF(std::string_view record, uint32_t base) {
  if (IsAddressRecord(record)) return false;
  const int words = RecordWordCount(record);
  for (int k = 0; k < words; ++k) {
    if (!RecordWordAbove3FFF(record, k)) continue;
    const int first = RecordWordAddress(record, base).value_or(0);
    if (!HoldsSixteenBits(first + k)) return true;
  }
  return false;
}

// Follows the records as a device programmer loads them: the address base
// of the extended address records, the end record, the words written.
class LoadCheck {
 public:
  // The defects of `record` (a line with its start colon) in load terms.
  template <typename Note>
  void Read(std::string_view record, Note note) {
    if (ended_) {
      note(HexDefect::kAfterEnd);
      return;
    }
    if (IsEndRecord(record)) {
      ended_ = true;
      return;
    }
    if (IsAddressRecord(record)) {
      if (const std::optional<uint32_t> base = RecordAddressBase(record)) base_ = *base;
      return;
    }
    const int bytes = RecordByteCount(record);
    if (bytes % 2 != 0) note(HexDefect::kOddByteCount);
    if (bytes > 0 && RecordLoadAddress(record) % 2 != 0) note(HexDefect::kOddAddress);
    const std::optional<int> address = RecordWordAddress(record, base_);
    const int words = RecordWordCount(record);
    bool repeated = false;
    for (int k = 0; address && k < words && *address + k < kWordAddressCount; ++k) {
      const size_t at = static_cast<size_t>(*address) + static_cast<size_t>(k);
      repeated = repeated || written_[at];
      written_[at] = true;
    }
    if (repeated) note(HexDefect::kRepeatedAddress);
  }
  bool ended() const { return ended_; }
  // The base of the last extended address record.
  uint32_t base() const { return base_; }

 private:
  uint32_t base_ = 0;
  bool ended_ = false;
  std::bitset<kWordAddressCount> written_;
};

}  // namespace

std::vector<FoundDefect> FindHexDefects(std::string_view text) {
  return FindHexDefects(SplitLines(WithoutByteOrderMark(text)));
}

std::vector<FoundDefect> FindHexDefects(std::span<const std::string_view> lines) {
  std::array<FoundDefect, kKindCount> found{};
  auto note = [&found](HexDefect kind, int line) {
    FoundDefect& entry = found[static_cast<size_t>(kind)];
    if (entry.line_count++ == 0) entry.first_line = line;
  };
  int records = 0;
  int number = 0;
  LoadCheck load;
  for (std::string_view line : lines) {
    ++number;
    std::string_view record = WithoutLeadingBlanks(line);
    while (record.ends_with(' ') || record.ends_with('\t')) record.remove_suffix(1);
    if (record.empty()) continue;
    ++records;
    if (record[0] != ':') {
      note(HexDefect::kNoStartColon, number);
      continue;
    }
    // The bytes of a whole record, checksum included, add up to 0 modulo 256.
    const std::optional<unsigned> sum = ByteSum(record);
    const bool hex = sum.has_value();
    if (!hex) note(HexDefect::kNotHexDigit, number);
    const bool whole = record.size() == RecordLength(RecordByteCount(record));
    if (!whole) note(HexDefect::kByteCountMismatch, number);
    if (record.size() > static_cast<size_t>(kHexLineWidth)) note(HexDefect::kCutAt255, number);
    if (hex && whole && (*sum & 0xFF) != 0) note(HexDefect::kWrongChecksum, number);
    const std::string_view stored = record.substr(0, kHexLineWidth);
    if (HasWordAbove3FFF(stored, load.base())) note(HexDefect::kWordAbove3FFF, number);
    load.Read(record, [&](HexDefect kind) { note(kind, number); });
  }

  std::vector<FoundDefect> defects;
  for (int k = 0; k < kKindCount; ++k) {
    FoundDefect entry = found[static_cast<size_t>(k)];
    entry.kind = static_cast<HexDefect>(k);
    if (entry.line_count > 0) defects.push_back(entry);
  }
  if (records > 0 && !load.ended()) defects.push_back({HexDefect::kNoEndRecord, 0, 0});
  if (records == 0) defects.push_back({HexDefect::kEmptyFile, 0, 0});
  return defects;
}

std::string_view DefectText(HexDefect kind) { return kDefectTexts[static_cast<size_t>(kind)]; }

std::string DescribeDefect(const FoundDefect& defect) {
  std::string text(DefectText(defect.kind));
  if (defect.first_line > 0) text = "line " + std::to_string(defect.first_line) + ": " + text;
  if (defect.line_count > 1) {
    const int more = defect.line_count - 1;
    text += " (and " + std::to_string(more) + (more == 1 ? " more line)" : " more lines)");
  }
  return text;
}

}  // namespace tessarin
