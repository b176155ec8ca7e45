// The zone-aware re-assembly on the listing of a full PIC16F876 image.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "pass/assembler.h"
#include "pass/line_store.h"
#include "pass/listing_line.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"

namespace tessarin {
namespace {

// The listing of the full image with 50 zones of 82 words, one every 164
// words: half of the 8,192 program words.
SharedState PreparedState() {
  SharedState state;
  if (!testing::LoadLines(state, testing::FullImage())) std::abort();
  NoYield yield;
  testing::FixedClock clock;
  if (!Assembler(state, yield, clock).ok()) std::abort();
  // The re-assembly never reads the line store: no need to copy it around.
  state.HexLines.clear();
  for (int k = 0; k < 50; ++k) {
    const int start = k * 164;
    state.List4.Add(AddressText(start) + " " + AddressText(start + 81));
  }
  return state;
}

// Times one run on a copy of `prepared`; the copy is made and freed off the clock.
void RunOn(benchmark::State& bench, const SharedState& prepared) {
  SharedState state;
  int lines = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    state = prepared;
    bench.ResumeTiming();
    const std::vector<UnappliedZone> unapplied = ApplyDataZones(state);
    bench.PauseTiming();
    if (!unapplied.empty()) bench.SkipWithError("a zone was not applied");
    lines = state.List1.Count();
    bench.ResumeTiming();
  }
  bench.counters["lines_before"] = prepared.List1.Count();
  bench.counters["lines_after"] = lines;
}

void BM_ApplyDataZonesFullImage(benchmark::State& bench) { RunOn(bench, PreparedState()); }
BENCHMARK(BM_ApplyDataZonesFullImage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// A second "Valider": the DW lines are decoded back into word lines first.
void BM_ApplyDataZonesAgain(benchmark::State& bench) {
  SharedState prepared = PreparedState();
  if (!ApplyDataZones(prepared).empty()) std::abort();
  RunOn(bench, prepared);
}
BENCHMARK(BM_ApplyDataZonesAgain)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The listing of the 32,767 words at word addresses 0000-7FFE, the most a
// listing holds, with a one-word zone on each: 32,767 zones.
void BM_ApplyDataZones32767Zones(benchmark::State& bench) {
  std::vector<std::string> records;
  for (unsigned address = 0; address < 0x7FFF; address += 8) {
    const size_t count = address + 8 > 0x7FFF ? 0x7FFF - address : 8;
    records.push_back(testing::WordRecord(address, std::vector<uint16_t>(count, 0x3441)));
  }
  records.push_back(testing::EndRecord());
  SharedState prepared;
  NoYield yield;
  testing::FixedClock clock;
  if (!testing::LoadLines(prepared, records) || !Assembler(prepared, yield, clock).ok()) {
    std::abort();
  }
  prepared.HexLines.clear();
  for (int address = 0; address < 0x7FFF; ++address) {
    prepared.List4.Add(AddressText(address) + " " + AddressText(address));
  }
  RunOn(bench, prepared);
}
BENCHMARK(BM_ApplyDataZones32767Zones)->Unit(benchmark::kMillisecond)->Iterations(1);

// Loading a zone file of 32,767 one-word zones, written in ascending or in
// descending order: the list sorts them either way.
void LoadZoneFile32767(benchmark::State& bench, bool descending) {
  std::string text;
  for (int k = 0; k < 0x7FFF; ++k) {
    const int address = descending ? 0x7FFE - k : k;
    text += AddressText(address) + " " + AddressText(address) + "\r\n";
  }
  SharedState state;
  for (auto _ : bench) {
    LoadZoneText(state, text);
    benchmark::DoNotOptimize(state.List4.Count());
  }
  bench.counters["zones"] = state.List4.Count();
}
void BM_LoadZoneFileAscending(benchmark::State& bench) { LoadZoneFile32767(bench, false); }
void BM_LoadZoneFileDescending(benchmark::State& bench) { LoadZoneFile32767(bench, true); }
BENCHMARK(BM_LoadZoneFileAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadZoneFileDescending)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarin

BENCHMARK_MAIN();
