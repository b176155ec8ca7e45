// Any program image through the flow analysis and the zone proposals. The
// first byte picks the processor; the rest are words, low byte first, from
// address 0 (and from its ID locations past program memory).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "flow/flow_analysis.h"
#include "instructions/instruction.h"
#include "processors/processor.h"
#include "proposals/zone_proposals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto processors = tessarin::Processors();
  const tessarin::Processor& processor = processors[data[0] % processors.size()];
  const int program_words = processor.program_words;
  tessarin::ProgramImage image;
  std::vector<int> listed;
  int address = 0;
  for (size_t k = 1; k + 1 < size; k += 2) {
    if (address == program_words) address = processor.id_locations.first;
    listed.push_back(address);
    image.Set(address++, static_cast<uint16_t>(data[k] | (data[k + 1] << 8)));
  }

  const tessarin::FlowAnalysis flow = tessarin::AnalyseFlow(image, processor);
  for (int a = 0; a < flow.ProgramWords(); ++a) {
    if (flow.Reached(a) != (flow.Banks(a) != 0) || flow.Reached(a) != (flow.Pages(a) != 0))
      std::abort();
    if (flow.Reached(a) && !image.Has(a)) std::abort();
    for (const uint16_t from : flow.ReferencesTo(a)) {
      if (!flow.Reached(from) || flow.Target(from) != a) std::abort();
    }
  }

  // Proposals: ascending, apart, on present words only, and every word that
  // does not assemble back, lies past program memory or holds the
  // calibration value is in a strong one.
  std::vector<bool> strong(tessarin::ProgramImage::kAddressCount, false);
  int previous_last = -1;
  for (const tessarin::ZoneProposal& p :
       tessarin::ProposeZones(image, flow, {}, tessarin::ListingOrder(listed))) {
    if (p.range.first <= previous_last || p.range.first > p.range.last) std::abort();
    previous_last = p.range.last;
    for (int a = p.range.first; a <= p.range.last; ++a) {
      if (!image.Has(a)) std::abort();
      strong[static_cast<size_t>(a)] = p.kind == tessarin::ProposalKind::kStrong;
    }
  }
  for (int a = 0; a < tessarin::ProgramImage::kAddressCount; ++a) {
    if (!image.Has(a)) continue;
    const bool needed = a >= program_words || processor.calibration.Contains(a) ||
                        !tessarin::IsExactInstruction(image.Word(a), processor.core);
    if (needed && !strong[static_cast<size_t>(a)]) std::abort();
  }
  return 0;
}
