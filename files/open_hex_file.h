#pragma once

#include <string>
#include <vector>

#include "files/hex_check.h"
#include "pass/record_reader.h"
#include "ui/services.h"
#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// Where the data zones of a HEX file being opened come from.
struct ZoneSource {
  enum class Kind { kCompanionFile, kFile, kNone };
  Kind kind = Kind::kCompanionFile;
  /// The zone file, for `kFile`.
  std::string path;
};

/// The step at which opening a HEX file stopped.
enum class OpenStep { kReadHex, kReadZones, kPass, kDone };

/// What opening a HEX file came to: `kDone`, or the step that failed and its
/// cause; and, once a HEX file that the store can hold was taken, the
/// defects that its reading passed over.
struct [[nodiscard]] OpenOutcome {
  OpenStep step = OpenStep::kDone;
  /// Why a file could not be read (`kReadHex`, `kReadZones`).
  Status status = Status::Ok();
  /// Why the pass stopped (`kPass`).
  PassFailure pass_failure;
  std::vector<FoundDefect> defects;

  bool ok() const { return step == OpenStep::kDone; }
};

/// Opens the HEX file at `path`: reads it (and the zone file `zones` names,
/// if any), takes it as the opened file (see `TakeHexFile`), loads its data
/// zones and runs the disassembly pass. All or nothing: `state` changes only
/// when every step succeeds. A file that cannot be read, one with more lines
/// than the store holds, or one the pass cannot list to the end leaves the
/// line store, the listing, the labels, the zones, the caption and the
/// dialog's file names as they were.
OpenOutcome OpenHexFile(SharedState& state, const std::string& path, const ZoneSource& zones,
                        EventLoopYield& yield, Clock& clock);

}  // namespace tessarin
