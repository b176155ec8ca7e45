// Any program image through the flow analysis and the zone proposals. The
// first byte picks the core and the program-memory size; the rest are
// words, low byte first, from address 0 (and from 0x2000 past program
// memory).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "flow/flow_analysis.h"
#include "instructions/instruction.h"
#include "proposals/zone_proposals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  constexpr int kSizes[] = {8192, 4096, 2048, 100};
  const int program_words = kSizes[data[0] % 4];
  tessarin::CoreFacts facts = (data[0] & 4) != 0 ? tessarin::EnhancedFacts(program_words)
                                                 : tessarin::Pic16F87xFacts(program_words);
  if ((data[0] & 8) != 0) facts.calibration = program_words - 1;
  tessarin::ProgramImage image;
  int address = 0;
  for (size_t k = 1; k + 1 < size; k += 2) {
    if (address == program_words) address = 0x2000;
    image.Set(address++, static_cast<uint16_t>(data[k] | (data[k + 1] << 8)));
  }

  const tessarin::FlowAnalysis flow = tessarin::AnalyseFlow(image, facts);
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
  for (const tessarin::ZoneProposal& p : tessarin::ProposeZones(image, flow, {})) {
    if (p.range.first <= previous_last || p.range.first > p.range.last) std::abort();
    previous_last = p.range.last;
    for (int a = p.range.first; a <= p.range.last; ++a) {
      if (!image.Has(a)) std::abort();
      strong[static_cast<size_t>(a)] = p.kind == tessarin::ProposalKind::kStrong;
    }
  }
  for (int a = 0; a < tessarin::ProgramImage::kAddressCount; ++a) {
    if (!image.Has(a)) continue;
    const bool needed = a >= program_words || a == facts.calibration ||
                        !tessarin::IsExactInstruction(image.Word(a), facts.core);
    if (needed && !strong[static_cast<size_t>(a)]) std::abort();
  }
  return 0;
}
