#pragma once

#include <string>
#include <vector>

#include "flow/memory_fit.h"
#include "processors/processor.h"
#include "ui/shared_state.h"

namespace tessarin {

/// What of a HEX file's image the part it is listed for cannot hold, and a
/// few parts that hold all of it.
struct ImageFit {
  /// The part the file was listed for; nullptr when nothing was checked.
  const Processor* processor = nullptr;
  /// Empty when the part holds the whole image (see `FindMisfits`).
  std::vector<Misfit> misfits;
  /// Parts that hold the whole image, best first (see `PartsThatFit`).
  std::vector<const Processor*> fitting;
};

/// The fit of the image the line store holds, read as far as any 14-bit part
/// reaches (past the chosen part's chip, where the pass stops), for the
/// chosen processor.
ImageFit CheckImageFit(const SharedState& state);

/// The same for the HEX file at `path`, read again: after an open whose pass
/// failed, which left the line store to the file loaded before. Nothing is
/// checked for a file that cannot be read again.
ImageFit CheckHexFileFit(const std::string& path, const SharedState& state);

}  // namespace tessarin
