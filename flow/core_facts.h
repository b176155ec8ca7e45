#pragma once

#include <cstdint>

#include "instructions/instruction.h"
#include "processors/processor.h"

namespace tessarin {

/// What the flow analysis and the zone proposals must know of the part whose
/// program they follow: its instruction set, its memory, where its vectors
/// lie and which registers steer the flow. Register addresses are offsets
/// within a bank (these registers are in every bank).
struct CoreFacts {
  Core core = Core::kMidRange;
  /// Words of program memory from word 0; a branch past them wraps around.
  int program_words = 0x2000;
  /// Data banks: 2 or 4 on the mid-range core (STATUS RP1:RP0; with two
  /// banks RP1 selects nothing), 32 on the enhanced core (BSR).
  int bank_count = 4;
  /// Pages of 2K words that program memory spans (1 to 16).
  int page_count = 4;
  int reset_vector = 0x0000;
  int interrupt_vector = 0x0004;
  /// The words that hold the oscillator calibration value (a RETLW the
  /// factory writes, at the top of program memory on a 12F675); empty where
  /// there are none.
  AddressRange calibration;
  /// Where the ID locations, configuration words and data EEPROM lie past
  /// program memory.
  AddressRange id_locations;
  AddressRange configuration;
  AddressRange eeprom;

  uint8_t pcl = 0x02;
  uint8_t status = 0x03;
  uint8_t pclath = 0x0A;
  /// BSR and WREG, registers of the enhanced core only.
  uint8_t bsr = kNoRegister;
  uint8_t wreg = kNoRegister;
  /// STATUS bit of bank bit 0 where STATUS selects the bank (RP0; RP1 above
  /// it); unused where BSR does.
  uint8_t status_rp0 = 5;
  /// PCLATH bit of page bit 0, and how many PCLATH bits select the page
  /// (PCLATH<4:3> on the mid-range core, PCLATH<6:3> on the enhanced core).
  uint8_t pclath_page_shift = 3;
  uint8_t page_bits = 2;
};

/// The facts of `processor`, from its description and its core's traits.
CoreFacts CoreFactsOf(const Processor& processor);

/// The facts of a PIC16F87x with `program_words` words (8,192 for the
/// 16F876/877, 4,096 for the 16F873/874).
CoreFacts Pic16F87xFacts(int program_words = 0x2000);

/// The facts of an enhanced mid-range part (PIC12F1xxx, PIC16F1xxx) with
/// `program_words` words and no calibration word: BSR selects one of 32
/// banks, MOVLP and PCLATH<6:3> one of up to 16 pages.
CoreFacts EnhancedFacts(int program_words);

}  // namespace tessarin
