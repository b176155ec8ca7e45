// The flow analysis on a full PIC16F876 image.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "instructions/instruction.h"
#include "pass/assembler.h"
#include "pass/record_reader.h"
#include "proposals/proposal_entry.h"
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

void AnalyseFlowOf(benchmark::State& bench, const ProgramImage& image) {
  int reached = 0;
  for (auto _ : bench) {
    const FlowAnalysis flow = AnalyseFlow(image, DefaultProcessor());
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
