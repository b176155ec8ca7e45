#include "flow/core_facts.h"

#include <algorithm>

namespace tessarin {
namespace {

constexpr int kPageWords = 0x800;

int PagesSpanned(int program_words) {
  return std::max(1, (program_words + kPageWords - 1) / kPageWords);
}

}  // namespace

CoreFacts Pic16F87xFacts(int program_words) {
  CoreFacts facts;
  facts.program_words = program_words;
  facts.page_count = PagesSpanned(program_words);
  return facts;
}

CoreFacts EnhancedFacts(int program_words) {
  CoreFacts facts;
  facts.core = Core::kEnhanced;
  facts.program_words = program_words;
  facts.bank_count = 32;
  facts.page_count = PagesSpanned(program_words);
  facts.bsr = 0x08;
  facts.wreg = 0x09;
  facts.page_bits = 4;
  return facts;
}

}  // namespace tessarin
