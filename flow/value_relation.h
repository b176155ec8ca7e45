#pragma once

#include <array>
#include <cstdint>

namespace tessarin {

/// A set of small values, bank numbers (up to 32) or pages (up to 16): bit v
/// set when the value v is possible.
using ValueSet = uint32_t;
inline constexpr ValueSet kNoValues = 0;

/// The values a set takes once bit `bit` of every value is set (or cleared).
ValueSet ForceBit(ValueSet values, int bit, bool set);

/// Pairs (value at the entry of the running subroutine, value now) of a
/// bank or page number, so that a CALL's fall-through can map the caller's
/// values through what the callee does to them.
///
/// Up to four entry values the relation is exact: one row of values a
/// entry. Past four (banks unknown on entry to the enhanced core's
/// interrupt vector: 32 of them) it keeps two pieces: the entries that keep
/// their value (as long as nothing touches it), and the entries that may
/// have any of one shared set of values. Operations on that wide form may
/// add pairs, never drop one.
class ValueRelation {
 public:
  static constexpr int kExactEntries = 4;

  /// Every value of `values` kept as it was on entry.
  static ValueRelation Identity(ValueSet values);

  bool Empty() const { return domain_ == 0; }
  /// The entry values the relation has pairs for.
  ValueSet Domain() const { return domain_; }
  /// The values possible now, whatever the entry value.
  ValueSet Image() const;
  /// The values possible now when the entry value was one of `entries`.
  ValueSet Apply(ValueSet entries) const;

  /// Every entry now has one of `values`.
  ValueRelation SetTo(ValueSet values) const;
  /// Bit `bit` of every value now set (or cleared).
  ValueRelation WithBit(int bit, bool set) const;
  /// The values after `callee`, a relation from its entry, has run from here.
  ValueRelation Then(const ValueRelation& callee) const;
  /// Adds the pairs of `other`; true when that changed the relation.
  bool Join(const ValueRelation& other);

  friend bool operator==(const ValueRelation&, const ValueRelation&) = default;

 private:
  struct Dense;
  static ValueRelation Compress(const Dense& dense);
  Dense Expand() const;

  ValueSet domain_ = 0;
  bool wide_ = false;  // more than kExactEntries entries
  // Exact: the row of each entry of `domain_`, lowest entry first. Wide:
  // [0] the entries kept as they were, [1] the entries with the shared
  // values, [2] those values.
  std::array<ValueSet, kExactEntries> rows_{};
};

}  // namespace tessarin
