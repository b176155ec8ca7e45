#include "flow/memory_fit.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace tessarin {
namespace {

// The runs of addresses that hold a word, first and last.
std::vector<AddressRange> Runs(const ProgramImage& image) {
  std::vector<AddressRange> runs;
  for (int a = 0; a < image.End(); ++a) {
    if (!image.Has(a)) continue;
    int last = a;
    while (image.Has(last + 1)) ++last;
    runs.push_back({static_cast<uint16_t>(a), static_cast<uint16_t>(last)});
    a = last;
  }
  return runs;
}

// The memory areas of a part, by first address.
std::array<AddressRange, 6> AreasOf(const Processor& processor) {
  std::array<AddressRange, 6> areas = {
      AddressRange{0, static_cast<uint16_t>(processor.program_words - 1)},
      processor.id_locations,
      processor.device_id,
      processor.configuration,
      processor.eeprom,
      processor.calibration,
  };
  std::sort(areas.begin(), areas.end(),
            [](const AddressRange& x, const AddressRange& y) { return x.first < y.first; });
  return areas;
}

bool Holds(const std::array<AddressRange, 6>& areas, const AddressRange& run) {
  int next = run.first;  // the first address of the run not yet covered
  for (const AddressRange& area : areas) {
    if (!area.empty() && area.Contains(next)) next = area.last + 1;
    if (next > run.last) return true;
  }
  return false;
}

// The ID, device ID and configuration words and the EEPROM of a core.
bool InCoreArea(const CoreTraits& traits, int address) {
  return (address >= traits.id_first && address <= traits.config_first + 3) ||
         (address >= traits.eeprom_first && address <= traits.eeprom_first + 0xFF);
}

MisfitKind KindOf(int address, const Processor& processor) {
  const CoreTraits& own = TraitsOf(processor);
  const Core other = processor.core == Core::kMidRange ? Core::kEnhanced : Core::kMidRange;
  if (InCoreArea(TraitsOf(other), address)) return MisfitKind::kOtherCore;
  if (address >= own.eeprom_first && address <= own.eeprom_first + 0xFF) {
    return MisfitKind::kBeyondEeprom;
  }
  if (address < own.id_first) return MisfitKind::kBeyondProgram;
  return MisfitKind::kNoMemory;
}

}  // namespace

std::vector<Misfit> FindMisfits(const ProgramImage& image, const Processor& processor) {
  const std::array<AddressRange, 6> areas = AreasOf(processor);
  std::array<Misfit, 4> found{};
  for (const AddressRange& run : Runs(image)) {
    if (Holds(areas, run)) continue;
    for (int a = run.first; a <= run.last; ++a) {
      const AddressRange word{static_cast<uint16_t>(a), static_cast<uint16_t>(a)};
      if (Holds(areas, word)) continue;
      Misfit& entry = found[static_cast<size_t>(KindOf(a, processor))];
      if (entry.count++ == 0) entry.first = a;
    }
  }
  std::vector<Misfit> misfits;
  for (size_t k = 0; k < found.size(); ++k) {
    if (found[k].count == 0) continue;
    found[k].kind = static_cast<MisfitKind>(k);
    misfits.push_back(found[k]);
  }
  return misfits;
}

std::vector<const Processor*> PartsThatFit(const ProgramImage& image, const Processor& near,
                                           size_t limit) {
  const std::vector<AddressRange> runs = Runs(image);
  std::vector<const Processor*> parts;
  for (const Processor& processor : Processors()) {
    const std::array<AddressRange, 6> areas = AreasOf(processor);
    if (std::all_of(runs.begin(), runs.end(),
                    [&](const AddressRange& run) { return Holds(areas, run); })) {
      parts.push_back(&processor);
    }
  }
  // An image with words past 0x7FFF is the enhanced core's, any other the
  // mid-range core's (whose configuration word an enhanced part may hold as
  // program memory).
  const Core core =
      image.End() > TraitsOf(Core::kMidRange).address_words ? Core::kEnhanced : Core::kMidRange;
  const auto alike = [&near](const Processor* part) {
    const auto [mine, theirs] =
        std::mismatch(part->name.begin(), part->name.end(), near.name.begin(), near.name.end());
    return mine - part->name.begin();
  };
  const auto key = [&](const Processor* part) {
    return std::tuple(part->core != core, -alike(part), part->program_words, part->eeprom.size());
  };
  std::stable_sort(parts.begin(), parts.end(),
                   [&key](const Processor* x, const Processor* y) { return key(x) < key(y); });
  if (parts.size() > limit) parts.resize(limit);
  return parts;
}

}  // namespace tessarin
