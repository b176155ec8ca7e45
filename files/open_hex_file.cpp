#include "files/open_hex_file.h"

#include "files/hex_file.h"
#include "pass/assembler.h"
#include "ui/file_io.h"
#include "zones/companion_file.h"

namespace tessarin {

OpenOutcome OpenHexFile(SharedState& state, const std::string& path, const ZoneSource& zones,
                        EventLoopYield& yield, Clock& clock) {
  // Both files are read before anything of the loaded file is given up; the
  // HEX file only as far as it can be one.
  const Result<std::string> hex = ReadHexFile(path);
  if (!hex.ok()) return {OpenStep::kReadHex, hex.status(), {}, {}};
  const bool zones_from_file = zones.kind == ZoneSource::Kind::kFile;
  const Result<std::string> zone_text = zones_from_file ? ReadFileBytes(zones.path) : std::string();
  if (!zone_text.ok()) return {OpenStep::kReadZones, zone_text.status(), {}, {}};

  // The file is opened into a state of its own, which takes the place of
  // the loaded one only once the pass has listed it to the end: whatever
  // step fails, everything still belongs to the file loaded before, so that
  // no save can write a partial listing or a lost zone list under its names.
  SharedState opened;
  opened.CommonDialog1 = state.CommonDialog1;
  opened.Caption = state.Caption;
  // The listing style and the processor are the user's choice, not the file's.
  opened.Style = state.Style;
  opened.ProcessorName = state.ProcessorName;
  // A file too long for the store gets no zones: the pass refuses it and
  // says where. A file refused for its size has no defects worth telling
  // apart.
  const HexFileText text(*hex);
  const bool fits = TakeHexFile(opened, path, text).ok();
  std::vector<FoundDefect> defects = fits ? FindHexDefects(text.lines) : std::vector<FoundDefect>();
  if (fits && zones_from_file) {
    LoadZoneText(opened, *zone_text);
  } else if (fits && zones.kind == ZoneSource::Kind::kCompanionFile) {
    LoadZoneFile(opened, opened.WorkingFolder, opened.CommonDialog1.FileTitle);
  }

  const PassStatus pass = Assembler(opened, yield, clock);
  if (!pass.ok()) return {OpenStep::kPass, Status::Ok(), pass.failure(), std::move(defects)};
  state = std::move(opened);
  return {OpenStep::kDone, Status::Ok(), {}, std::move(defects)};
}

}  // namespace tessarin
