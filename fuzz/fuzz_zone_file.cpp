// A companion file's bytes through the zone file reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/text_list.h"
#include "zones/companion_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tessarin::SharedState fresh;
  tessarin::LoadZoneText(fresh, text);
  const std::vector<std::string>& zones = fresh.List4.Items();
  for (size_t k = 0; k < zones.size(); ++k) {
    // No empty entry, and the list in order.
    if (zones[k].empty()) std::abort();
    if (k > 0 && tessarin::TextLess(zones[k], zones[k - 1])) std::abort();
  }
  // Reading replaces whatever the list held.
  tessarin::SharedState used;
  used.List4.Add("0001 0002");
  used.List4.Select(0);
  tessarin::LoadZoneText(used, text);
  if (used.List4.Items() != zones || used.List4.SelectedIndex() != -1) std::abort();
  return 0;
}
