#pragma once

#include <string>
#include <vector>

#include "flow/memory_fit.h"
#include "processors/processor.h"

namespace tessarin {

/// What a warning says of an image with words that `processor` cannot hold
/// (`misfits`, as `FindMisfits` gives them), naming the parts in `fitting`:
/// "the 16F84A cannot hold program words past its program memory at 0400
/// (and 1 more); parts that hold the image: 16F627A, 16F628 (-p NAME)".
std::string FitWarning(const Processor& processor, const std::vector<Misfit>& misfits,
                       const std::vector<const Processor*>& fitting);

}  // namespace tessarin
