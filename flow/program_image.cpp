#include "flow/program_image.h"

namespace tessarin {

void ProgramImage::Set(int address, uint16_t word) {
  if (address < 0 || address >= kAddressCount) return;
  words_[static_cast<size_t>(address)] = word;
  present_[static_cast<size_t>(address)] = true;
  if (address >= end_) end_ = address + 1;
}

}  // namespace tessarin
