#include "flow/flow_state.h"

#include <algorithm>

namespace tessarin {

ByteSet ByteSet::Only(unsigned value) {
  ByteSet set;
  set.Add(value & 0xFF);
  return set;
}

void ByteSet::Add(unsigned value) {
  if (IsAny()) return;
  const auto byte = static_cast<uint8_t>(value);
  uint8_t* const end = values_.data() + count_;
  uint8_t* const at = std::lower_bound(values_.data(), end, byte);
  if (at != end && *at == byte) return;
  if (count_ == kMostValues) {
    *this = Any();
    return;
  }
  std::copy_backward(at, end, end + 1);
  *at = byte;
  ++count_;
}

std::optional<unsigned> ByteSet::Single() const {
  if (count_ != 1) return std::nullopt;
  return values_[0];
}

ValueSet ByteSet::Field(int shift, unsigned mask) const {
  ValueSet values = 0;
  if (IsAny()) {
    for (unsigned field = 0; field <= mask && (field << shift) <= 0xFF; ++field) {
      values |= ValueSet{1} << field;
    }
    return values;
  }
  for (uint8_t k = 0; k < count_; ++k) {
    values |= ValueSet{1} << ((unsigned{values_[k]} >> shift) & mask);
  }
  return values;
}

ByteSet ByteSet::WithBit(int bit, bool set) const {
  if (IsAny()) return *this;
  ByteSet result;
  for (uint8_t k = 0; k < count_; ++k) {
    const unsigned value = values_[k];
    result.Add(set ? value | (1u << bit) : value & ~(1u << bit));
  }
  return result;
}

bool ByteSet::JoinValues(const ByteSet& other) {
  const ByteSet before = *this;
  if (other.IsAny()) {
    *this = other;
  } else {
    for (uint8_t k = 0; k < other.count_; ++k) Add(other.values_[k]);
  }
  return *this != before;
}

}  // namespace tessarin
