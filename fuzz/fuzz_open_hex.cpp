// A HEX file's bytes through the open command's reading, the disassembly
// pass, label removal, the zone re-assembly (twice, as a second "Valider"
// does) and the source writer. The input's tail after its last NUL byte is
// read as a zone file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/hex_file.h"
#include "files/source_writer.h"
#include "pass/assembler.h"
#include "testing/fakes.h"
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"
#include "zones/remove_label.h"

namespace {

size_t CountLineEnds(std::string_view text) {
  size_t count = 0;
  for (size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

// Every listing line becomes exactly one line of either file.
void CheckWriters(const tessarin::TextList& listing) {
  if (CountLineEnds(tessarin::GeneratedSource(listing)) != static_cast<size_t>(listing.Count())) std::abort();
  if (CountLineEnds(tessarin::ListingText(listing)) != static_cast<size_t>(listing.Count())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.rfind('\0');
  const std::string_view hex = split == std::string_view::npos ? input : input.substr(0, split);
  const std::string_view zones = split == std::string_view::npos ? "" : input.substr(split + 1);

  tessarin::SharedState state;
  tessarin::testing::CountingYield yield;
  tessarin::testing::FixedClock clock;
  (void)tessarin::FillLineStore(state, hex).ok();
  tessarin::LoadZoneText(state, zones);
  const bool passed = tessarin::Assembler(state, yield, clock).ok();
  if (passed && state.List1.Count() < 5) std::abort();

  state.List1.Select(static_cast<int>(size % static_cast<size_t>(state.List1.Count() + 1)));
  tessarin::RemoveLabel(state);
  // Every zone stays in the list, applied or not.
  const std::vector<std::string> listed = state.List4.Items();
  if (tessarin::ApplyDataZones(state).size() > listed.size()) std::abort();
  if (state.List4.Items() != listed) std::abort();
  CheckWriters(state.List1);
  if (state.List5.Count() != 0 || state.List6.Count() != 0) std::abort();

  tessarin::LoadZoneText(state, zones);
  (void)tessarin::ApplyDataZones(state);
  CheckWriters(state.List1);
  return 0;
}
