#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "flow/value_relation.h"

namespace tessarin {

/// What W may hold: up to three byte values, or any. A join of more values
/// than that reads as any, which costs a little precision where paths that
/// load W with different constants meet, never a wrong answer.
class ByteSet {
 public:
  /// The empty set.
  ByteSet() = default;
  static ByteSet Any() {
    ByteSet set;
    set.count_ = kAny;
    return set;
  }
  static ByteSet Only(unsigned value);

  bool Empty() const { return count_ == 0; }
  bool IsAny() const { return count_ == kAny; }
  /// The one value of a set that has a single one.
  std::optional<unsigned> Single() const;
  /// The values `(v >> shift) & mask` for the values v of the set.
  ValueSet Field(int shift, unsigned mask) const;
  /// Every value with bit `bit` set (or cleared).
  ByteSet WithBit(int bit, bool set) const;
  bool Join(const ByteSet& other) { return other != *this && JoinValues(other); }

  friend bool operator==(const ByteSet&, const ByteSet&) = default;

 private:
  static constexpr uint8_t kAny = 0xFF;
  static constexpr uint8_t kMostValues = 3;

  void Add(unsigned value);
  bool JoinValues(const ByteSet& other);

  uint8_t count_ = 0;                          // values held, or kAny
  std::array<uint8_t, kMostValues> values_{};  // ascending
};

/// What the analysis knows when a word runs: the bank and page numbers as
/// relations from the entry of the running subroutine, PCLATH's bits below
/// the page bits (which only a write to PCL and CALLW use) and W.
struct FlowState {
  ValueRelation banks;  // empty while the word is not reached
  PageRelation pages;
  ValueSet pclath_low = 0;
  ByteSet w;

  bool Join(const FlowState& other) {
    // A word not reached yet takes the state as it comes: what joining it
    // with nothing would give, at a fraction of the cost.
    if (Empty()) {
      *this = other;
      return !other.Empty();
    }
    const bool banks_grew = banks.Join(other.banks);
    const bool pages_grew = pages.Join(other.pages);
    const bool w_grew = w.Join(other.w);
    const bool low_grew = (other.pclath_low & ~pclath_low) != 0;
    pclath_low |= other.pclath_low;
    return banks_grew || pages_grew || w_grew || low_grew;
  }

  /// Nothing known: the state of a word that no path has reached yet.
  bool Empty() const { return banks.Empty() && pages.Empty() && pclath_low == 0 && w.Empty(); }
};

}  // namespace tessarin
