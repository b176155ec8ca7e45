#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "decode/decoder.h"
#include "ui/text_list.h"

namespace tessarin {

/// The branch targets that the classic style's sweep finds, made into
/// the label names they join the sorted target list with. Names sort without
/// regard to case; a name that is its address's own label sorts as the
/// address does. So while every name is, and the list holds nothing yet, a
/// set of addresses gives the order without a sort.
class ClassicTargets {
 public:
  void Add(const ClassicLabel& target) {
    labels_.push_back(target.name);
    if (target.address && *target.address < kAddressCount) {
      const auto address = static_cast<size_t>(*target.address);
      addresses_[address / 64] |= uint64_t{1} << (address % 64);
    } else {
      all_own_ = false;
    }
  }

  /// The distinct items of `list` once every target is added to it, in its
  /// order, taken out of it: `TextList::TakeDistinctItems` after the additions.
  std::vector<std::string> TakeDistinct(TextList& list) &&;

 private:
  static constexpr int kAddressCount = 0x2000;  // the addresses a label can name

  std::vector<LabelName> labels_;
  std::array<uint64_t, kAddressCount / 64> addresses_{};  // one bit an address
  bool all_own_ = true;                                   // every label is its address's own
};

}  // namespace tessarin
