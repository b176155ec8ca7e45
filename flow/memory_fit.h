#pragma once

#include <cstddef>
#include <vector>

#include "flow/program_image.h"
#include "processors/processor.h"

namespace tessarin {

/// A kind of word that a processor cannot hold.
enum class MisfitKind : uint8_t {
  kBeyondProgram,  ///< program memory past the part's, below its ID locations
  kOtherCore,      ///< the ID, configuration or EEPROM area of the other core
  kBeyondEeprom,   ///< data EEPROM past the part's (all of it on a part without)
  kNoMemory,       ///< any other address the part has no memory at
};

/// The words of one kind that a processor cannot hold: the first address
/// and how many there are.
struct Misfit {
  MisfitKind kind = MisfitKind::kNoMemory;
  int first = 0;
  int count = 0;

  bool operator==(const Misfit&) const = default;
};

/// The words of `image` that `processor` has no memory for, one entry per
/// kind found, in the order of `MisfitKind`; empty when the part holds the
/// whole image.
std::vector<Misfit> FindMisfits(const ProgramImage& image, const Processor& processor);

/// Up to `limit` parts that hold every word of `image`: those of the core
/// whose memory map the image follows first (the enhanced core's when it has
/// words past 0x7FFF), then those whose names begin most like the name of
/// `near` (the part chosen: 16F819 and 16F870 before 12C672 for a 16F84A),
/// then smallest program memory, smallest EEPROM, by name.
std::vector<const Processor*> PartsThatFit(const ProgramImage& image, const Processor& near,
                                           size_t limit);

}  // namespace tessarin
