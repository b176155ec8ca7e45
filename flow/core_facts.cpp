#include "flow/core_facts.h"

#include <algorithm>
#include <bit>

namespace tessarin {
namespace {

// `facts` resized to `program_words`, the pages and the PCLATH bits that
// select them following.
CoreFacts Resized(CoreFacts facts, int program_words) {
  const int page_words = TraitsOf(facts.core).page_words;
  facts.program_words = program_words;
  facts.page_count = std::max(1, (program_words + page_words - 1) / page_words);
  const int needed = static_cast<int>(std::bit_width(static_cast<unsigned>(facts.page_count - 1)));
  facts.page_bits = static_cast<uint8_t>(std::max<int>(facts.page_bits, needed));
  return facts;
}

const Processor& FirstOf(Core core) {
  for (const Processor& processor : Processors()) {
    if (processor.core == core) return processor;
  }
  return DefaultProcessor();
}

}  // namespace

CoreFacts CoreFactsOf(const Processor& processor) {
  const CoreTraits& traits = TraitsOf(processor);
  CoreFacts facts;
  facts.core = processor.core;
  facts.bank_count = processor.bank_count;
  facts.reset_vector = traits.reset_vector;
  facts.interrupt_vector = traits.interrupt_vector;
  facts.calibration = processor.calibration;
  facts.id_locations = processor.id_locations;
  facts.configuration = processor.configuration;
  facts.eeprom = processor.eeprom;
  facts.pcl = traits.pcl;
  facts.status = traits.status;
  facts.pclath = traits.pclath;
  facts.bsr = traits.bsr;
  facts.wreg = traits.wreg;
  facts.status_rp0 = traits.status_rp0;
  facts.pclath_page_shift = traits.pclath_page_shift;
  facts.page_bits = traits.page_bits;
  return Resized(facts, processor.program_words);
}

CoreFacts Pic16F87xFacts(int program_words) {
  return Resized(CoreFactsOf(DefaultProcessor()), program_words);
}

CoreFacts EnhancedFacts(int program_words) {
  CoreFacts facts = Resized(CoreFactsOf(FirstOf(Core::kEnhanced)), program_words);
  facts.calibration = {};
  return facts;
}

}  // namespace tessarin
