// Placeholders until the zone functions land.
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"
#include "zones/remove_label.h"
#include "zones/zone_list.h"

namespace tessarin {

void EnterZone(SharedState&, std::string_view) {}
void RemoveSelectedZone(SharedState&) {}
std::optional<std::string> CompanionFileName(std::string_view) { return std::nullopt; }
void LoadZoneFile(SharedState& state, const std::filesystem::path&, std::string_view) {
  state.List4.Clear();
}
Status SaveZoneFile(const SharedState&, const std::filesystem::path&, std::string_view) {
  return Status::Ok();
}
void ApplyDataZones(SharedState&) {}
void RemoveLabel(SharedState&) {}

}  // namespace tessarin

#include "zones/zone_text.h"

namespace tessarin {

void LoadZoneText(SharedState& state, std::string_view) { state.List4.Clear(); }

}  // namespace tessarin
