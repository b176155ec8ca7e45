#include "flow/program_image.h"

namespace tessarin {

void ProgramImage::Set(int address, uint16_t word) {
  if (address < 0 || address >= kAddressCount) return;
  words_[static_cast<size_t>(address)] = word;
  present_[static_cast<size_t>(address)] = true;
  if (address >= end_) end_ = address + 1;
}

bool ProgramImage::Has(int address) const {
  return address >= 0 && address < kAddressCount && present_[static_cast<size_t>(address)];
}

uint16_t ProgramImage::Word(int address) const {
  return Has(address) ? words_[static_cast<size_t>(address)] : 0;
}

}  // namespace tessarin
