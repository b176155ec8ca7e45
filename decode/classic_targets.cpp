#include "decode/classic_targets.h"

#include <bit>

namespace tessarin {

std::vector<std::string> ClassicTargets::TakeDistinct(TextList& list) && {
  if (all_own_ && list.Count() == 0) {
    // A page letter and four upper-case digits: the letters and the digits
    // each come in the order of the addresses, and case plays no part.
    size_t count = 0;
    for (const uint64_t bits : addresses_) count += static_cast<size_t>(std::popcount(bits));
    std::vector<std::string> names;
    names.reserve(count);
    for (size_t k = 0; k < addresses_.size(); ++k) {
      for (uint64_t bits = addresses_[k]; bits != 0; bits &= bits - 1) {
        const LabelName label =
            ClassicTargetLabel(static_cast<int>(64 * k) + std::countr_zero(bits));
        names.emplace_back(label.data(), label.size());
      }
    }
    return names;
  }
  {
    const TextList::AdditionRun run(list);
    for (const LabelName& label : labels_) list.Add(std::string(label.begin(), label.end()));
  }
  return list.TakeDistinctItems();
}

}  // namespace tessarin
