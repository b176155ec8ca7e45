// Placeholders until the zone functions land.
#include "zones/apply_data_zones.h"
#include "zones/remove_label.h"

namespace tessarin {

void ApplyDataZones(SharedState&) {}
void RemoveLabel(SharedState&) {}

}  // namespace tessarin
