#include "files/open_hex_file.h"

#include "files/hex_file.h"
#include "pass/assembler.h"
#include "ui/file_io.h"
#include "zones/companion_file.h"

namespace tessarin {

OpenOutcome OpenHexFile(SharedState& state, const std::string& path, const ZoneSource& zones,
                        EventLoopYield& yield, Clock& clock) {
  // Both files are read whole before anything of the loaded file is given up.
  const Result<std::string> hex = ReadFileBytes(path);
  if (!hex.ok()) return {OpenStep::kReadHex, hex.status()};
  const bool zones_from_file = zones.kind == ZoneSource::Kind::kFile;
  const Result<std::string> zone_text = zones_from_file ? ReadFileBytes(zones.path) : std::string();
  if (!zone_text.ok()) return {OpenStep::kReadZones, zone_text.status()};

  // A file too long for the store gets no zones: the pass refuses it.
  const bool fits = TakeHexFile(state, path, *hex).ok();
  if (!fits || zones.kind == ZoneSource::Kind::kNone) {
    state.List4.Clear();
  } else if (zones_from_file) {
    LoadZoneText(state, *zone_text);
  } else {
    LoadZoneFile(state, state.WorkingFolder, state.CommonDialog1.FileTitle);
  }

  Status pass = Assembler(state, yield, clock);
  if (!pass.ok()) return {OpenStep::kPass, std::move(pass)};
  return {};
}

}  // namespace tessarin
