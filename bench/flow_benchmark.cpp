// The flow analysis and the zone proposals on a full PIC16F876 image and on
// 32K-word images of the enhanced core.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "instructions/instruction.h"
#include "pass/assembler.h"
#include "pass/record_reader.h"
#include "proposals/proposal_entry.h"
#include "proposals/zone_proposals.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

ProgramImage FullProgramImage() {
  SharedState state;
  if (!testing::LoadLines(state, testing::FullImage())) std::abort();
  return BuildProgramImage(state);
}

// 8,192 words of code that the vectors reach nearly all of: 512 subroutines
// of 16 words, each switching banks, testing bits, calling the next one and
// one at random through PCLATH, every eighth ending in a RETLW table.
ProgramImage ReachableProgramImage() {
  ProgramImage image;
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int block = 0; block < 512; ++block) {
    const int base = block * 16;
    auto call = [&](int offset, int to) {
      image.Set(base + offset, static_cast<uint16_t>(0x3000 | ((to >> 8) & 0x18)));  // MOVLW page
      image.Set(base + offset + 1, 0x008A);                                          // MOVWF PCLATH
      image.Set(base + offset + 2, static_cast<uint16_t>(0x2000 | (to & 0x7FF)));    // CALL
    };
    image.Set(base, next() % 2 ? 0x1683 : 0x1283);  // BSF/BCF STATUS,RP0
    image.Set(base + 1, static_cast<uint16_t>(0x0080 | (0x20 + next() % 0x60)));  // MOVWF
    image.Set(base + 2, static_cast<uint16_t>(0x1C00 | (next() % 0x400)));        // BTFSS
    image.Set(base + 3, static_cast<uint16_t>(0x0A80 | (0x20 + next() % 0x60)));  // INCF f,F
    call(4, ((block + 1) % 512) * 16);
    call(7, static_cast<int>(next() % 512) * 16);
    image.Set(base + 10, 0x018A);  // CLRF PCLATH
    if (block % 8 == 7) {
      image.Set(base + 11, 0x0782);  // ADDWF PCL,F
      for (int k = 12; k < 16; ++k)
        image.Set(base + k, static_cast<uint16_t>(0x3400 | (next() & 0xFF)));
    } else {
      for (int k = 11; k < 15; ++k)
        image.Set(base + k, static_cast<uint16_t>(0x0300 | (next() & 0xFF)));
      image.Set(base + 15, 0x0008);  // RETURN
    }
  }
  return image;
}

constexpr int kEnhancedWords = 0x8000;

uint32_t NextRandom(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

// 32,768 words of enhanced code that the vectors reach nearly all of: 2,048
// subroutines of 16 words, each choosing a bank with MOVLB, testing bits,
// calling the next one and one at random through MOVLP, branching with BRA,
// every eighth ending in a BRW table of RETLW.
ProgramImage ReachableEnhancedImage() {
  ProgramImage image;
  uint32_t seed = 2024;
  constexpr int kBlocks = kEnhancedWords / 16;
  for (int block = 0; block < kBlocks; ++block) {
    const int base = block * 16;
    auto call = [&](int offset, int to) {
      image.Set(base + offset, static_cast<uint16_t>(0x3180 | (to >> 8)));         // MOVLP
      image.Set(base + offset + 1, static_cast<uint16_t>(0x2000 | (to & 0x7FF)));  // CALL
    };
    image.Set(base, static_cast<uint16_t>(0x0020 | (NextRandom(seed) & 0x1F)));  // MOVLB
    image.Set(base + 1, static_cast<uint16_t>(0x0080 | (0x20 + NextRandom(seed) % 0x50)));
    image.Set(base + 2, static_cast<uint16_t>(0x1C00 | (NextRandom(seed) % 0x400)));  // BTFSS
    image.Set(base + 3, static_cast<uint16_t>(0x0A80 | (0x20 + NextRandom(seed) % 0x50)));
    call(4, ((block + 1) % kBlocks) * 16);
    call(6, static_cast<int>(NextRandom(seed) % kBlocks) * 16);
    image.Set(base + 8, 0x3201);   // BRA over the next word
    image.Set(base + 9, 0x3012);   // MOVLW, never run
    image.Set(base + 10, 0x3180);  // MOVLP 0
    if (block % 8 == 7) {
      image.Set(base + 11, 0x000B);  // BRW
      for (int k = 12; k < 16; ++k)
        image.Set(base + k, static_cast<uint16_t>(0x3400 | (NextRandom(seed) & 0xFF)));
    } else {
      for (int k = 11; k < 15; ++k)
        image.Set(base + k, static_cast<uint16_t>(0x0300 | (NextRandom(seed) & 0xFF)));
      image.Set(base + 15, 0x0008);  // RETURN
    }
  }
  return image;
}

// 32,768 random words, a CALL or GOTO every eighth, as the full PIC16F876
// image has them.
ProgramImage FullEnhancedImage() {
  ProgramImage image;
  uint32_t seed = 12345;
  for (int a = 0; a < kEnhancedWords; ++a) {
    const uint32_t r = NextRandom(seed);
    image.Set(a, static_cast<uint16_t>(a % 8 == 7 ? 0x2000 | (r & 0x0FFF) : r & 0x3FFF));
  }
  return image;
}

void AnalyseFlowOf(benchmark::State& bench, const ProgramImage& image,
                   const CoreFacts& facts = Pic16F87xFacts()) {
  int reached = 0;
  for (auto _ : bench) {
    const FlowAnalysis flow = AnalyseFlow(image, facts);
    benchmark::DoNotOptimize(flow.Reached(0));
    reached = 0;
    for (int a = 0; a < flow.ProgramWords(); ++a) reached += flow.Reached(a) ? 1 : 0;
  }
  bench.counters["reached"] = reached;
}

void BM_AnalyseFlowFullImage(benchmark::State& bench) { AnalyseFlowOf(bench, FullProgramImage()); }
BENCHMARK(BM_AnalyseFlowFullImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_AnalyseFlowReachableImage(benchmark::State& bench) {
  AnalyseFlowOf(bench, ReachableProgramImage());
}
BENCHMARK(BM_AnalyseFlowReachableImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_AnalyseFlowReachableEnhancedImage(benchmark::State& bench) {
  AnalyseFlowOf(bench, ReachableEnhancedImage(), EnhancedFacts(kEnhancedWords));
}
BENCHMARK(BM_AnalyseFlowReachableEnhancedImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The flow and the proposals of a 32K-word enhanced image.
void ProposeZonesOf(benchmark::State& bench, const ProgramImage& image) {
  std::vector<int> listed(kEnhancedWords);
  for (int a = 0; a < kEnhancedWords; ++a) listed[static_cast<size_t>(a)] = a;
  const ListingOrder order(listed);
  size_t proposals = 0;
  for (auto _ : bench) {
    proposals =
        ProposeZones(image, AnalyseFlow(image, EnhancedFacts(kEnhancedWords)), {}, order).size();
  }
  bench.counters["proposals"] = static_cast<double>(proposals);
}

void BM_ProposeZonesFullEnhancedImage(benchmark::State& bench) {
  ProposeZonesOf(bench, FullEnhancedImage());
}
BENCHMARK(BM_ProposeZonesFullEnhancedImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_ProposeZonesReachableEnhancedImage(benchmark::State& bench) {
  ProposeZonesOf(bench, ReachableEnhancedImage());
}
BENCHMARK(BM_ProposeZonesReachableEnhancedImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_DecodeInstructionEveryWord(benchmark::State& bench) {
  for (auto _ : bench) {
    for (uint32_t word = 0; word <= 0x3FFF; ++word) {
      benchmark::DoNotOptimize(DecodeInstruction(static_cast<uint16_t>(word)));
    }
  }
  bench.SetItemsProcessed(bench.iterations() * 0x4000);
}
BENCHMARK(BM_DecodeInstructionEveryWord)->Unit(benchmark::kMicrosecond);

void BM_BuildProgramImageFullImage(benchmark::State& bench) {
  SharedState state;
  if (!testing::LoadLines(state, testing::FullImage())) std::abort();
  for (auto _ : bench) benchmark::DoNotOptimize(BuildProgramImage(state).Has(0));
}
BENCHMARK(BM_BuildProgramImageFullImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// What "Proposer les zones de datas" computes: the image of the line store,
// its flow and the proposals, for the listing of the opened file.
void BM_ProposeZonesFullImage(benchmark::State& bench) {
  SharedState state;
  NoYield yield;
  testing::FixedClock clock;
  if (!testing::LoadLines(state, testing::FullImage()) || !Assembler(state, yield, clock).ok()) {
    std::abort();
  }
  size_t proposals = 0;
  for (auto _ : bench) proposals = ProposeZonesForOpenedFile(state).size();
  bench.counters["proposals"] = static_cast<double>(proposals);
}
BENCHMARK(BM_ProposeZonesFullImage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessarin

BENCHMARK_MAIN();
