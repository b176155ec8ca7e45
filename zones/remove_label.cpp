#include "zones/remove_label.h"

#include <string>

#include "pass/listing_line.h"

namespace tessarin {

void RemoveLabel(SharedState& state) {
  // Only word and DW lines have a label field. On the header, EQU, ORG and
  // end lines those columns hold part of a directive.
  const int index = state.List1.SelectedIndex();
  if (index < kHeaderLineCount) return;
  std::string line = state.List1.Item(index);
  if (!ListingLine(line).HasWordAddress()) return;
  BlankLabel(line);
  state.List1.Replace(index, std::move(line));
}

}  // namespace tessarin
