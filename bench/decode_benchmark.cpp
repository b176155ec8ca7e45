// The decoder on every four-digit word.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "decode/decoder.h"

namespace tessarin {
namespace {

void BM_DecodeEveryWord(benchmark::State& bench) {
  std::vector<std::string> words;
  for (int value = 0; value <= 0xFFFF; ++value) {
    char word[5];
    std::snprintf(word, sizeof word, "%04X", value);
    words.emplace_back(word);
  }
  SharedState state;
  state.PassNumber = 2;
  for (auto _ : bench) {
    for (const std::string& word : words) benchmark::DoNotOptimize(DecodeWord(word, state));
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_DecodeEveryWord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarin

BENCHMARK_MAIN();
