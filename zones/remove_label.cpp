#include "zones/remove_label.h"

#include <string>

#include "pass/listing_line.h"
#include "zones/dw_line.h"

namespace tessarin {

void RemoveLabel(SharedState& state) {
  // Only word and DW lines have a label field in columns 17-21. On the
  // header, EQU, ORG and end lines these columns hold part of a directive.
  const int index = state.List1.SelectedIndex();
  if (index < kHeaderLineCount) return;
  std::string line = state.List1.Item(index);
  if (!HasWordAddress(line)) return;
  for (size_t k = 16; k < 21 && k < line.size(); ++k) line[k] = ' ';
  state.List1.Replace(index, std::move(line));
}

}  // namespace tessarin
