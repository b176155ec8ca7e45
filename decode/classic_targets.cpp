#include "decode/classic_targets.h"

namespace tessarin {

std::vector<std::string> ClassicTargets::TakeDistinct(TextList& list) && {
  if (all_own_ && list.Count() == 0) {
    // A page letter and four upper-case digits: the letters and the digits
    // each come in the order of the addresses, and case plays no part.
    std::vector<std::string> names;
    names.reserve(addresses_.count());
    for (int address = 0; address < kAddressCount; ++address) {
      if (!addresses_.test(static_cast<size_t>(address))) continue;
      const LabelName label = ClassicTargetLabel(address);
      names.emplace_back(label.data(), label.size());
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
