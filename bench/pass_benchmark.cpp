// The disassembly pass on a full PIC16F876 image.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "pass/assembler.h"
#include "pass/line_store.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

void LoadFullImage(SharedState& state) {
  if (!testing::LoadLines(state, testing::FullImage())) std::abort();
}

void BM_AssemblerFullImage(benchmark::State& bench) {
  SharedState state;
  LoadFullImage(state);
  NoYield yield;
  testing::FixedClock clock;
  for (auto _ : bench) {
    if (!Assembler(state, yield, clock).ok()) bench.SkipWithError("the pass failed");
    benchmark::DoNotOptimize(state.List1.Count());
  }
  bench.counters["lines"] = state.List1.Count();
  bench.counters["labels"] = state.List3.Count();

  // Heap held by the finished listing: what a fresh pass leaves allocated.
  SharedState fresh;
  LoadFullImage(fresh);
  const size_t before = mallinfo2().uordblks;
  if (!Assembler(fresh, yield, clock).ok()) std::abort();
  const size_t after = mallinfo2().uordblks;
  bench.counters["listing_KiB"] = static_cast<double>(after - before) / 1024.0;
}
BENCHMARK(BM_AssemblerFullImage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessarin

BENCHMARK_MAIN();
