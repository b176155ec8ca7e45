#include "files/open_hex_file.h"

#include <optional>

#include "files/hex_file.h"
#include "pass/assembler.h"
#include "ui/file_io.h"
#include "zones/companion_file.h"

namespace tessarin {

OpenOutcome OpenHexFile(SharedState& state, const std::string& path, const ZoneSource& zones,
                        EventLoopYield& yield, Clock& clock) {
  // Both files are read whole before anything of the loaded file is given up.
  std::string error;
  const std::optional<std::string> hex = ReadFileBytes(path, &error);
  if (!hex) return {OpenStep::kReadHex, Status::Failure(error)};
  std::optional<std::string> zone_text;
  if (zones.kind == ZoneSource::Kind::kFile) {
    zone_text = ReadFileBytes(zones.path, &error);
    if (!zone_text) return {OpenStep::kReadZones, Status::Failure(error)};
  }

  const bool fits = TakeHexFile(state, path, *hex);
  if (!fits || zones.kind == ZoneSource::Kind::kNone) {
    state.List4.Clear();
  } else if (zone_text) {
    LoadZoneText(state, *zone_text);
  } else {
    LoadZoneFile(state, state.WorkingFolder, state.CommonDialog1.FileTitle);
  }

  Status pass = Assembler(state, yield, clock);
  if (!pass.ok()) return {OpenStep::kPass, std::move(pass)};
  return {};
}

}  // namespace tessarin
