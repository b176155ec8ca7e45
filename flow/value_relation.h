#pragma once

#include <array>
#include <cstddef>
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
/// values through what the callee does to them. `Set` holds the values in
/// memory: 32 bits for banks, 16 for pages.
///
/// Up to four entry values the relation is exact: one row of values a
/// entry. Past four (banks unknown on entry to the enhanced core's
/// interrupt vector: 32 of them) it keeps two pieces: the entries that keep
/// their value (as long as nothing touches it), and the entries that may
/// have any of one shared set of values. Operations on that wide form may
/// add pairs, never drop one.
struct WidePieces;

template <typename Set>
class BasicValueRelation {
 public:
  static constexpr int kExactEntries = 4;

  /// Every value of `values` kept as it was on entry.
  static BasicValueRelation Identity(ValueSet values);

  bool Empty() const { return domain_ == 0; }
  /// The entry values the relation has pairs for.
  ValueSet Domain() const { return domain_; }
  /// The values possible now, whatever the entry value.
  ValueSet Image() const {
    if (wide_) return ValueSet{rows_[0]} | rows_[2];
    return ValueSet{rows_[0]} | rows_[1] | rows_[2] | rows_[3];
  }
  /// The values possible now when the entry value was one of `entries`.
  ValueSet Apply(ValueSet entries) const;

  /// Every entry now has one of `values`.
  BasicValueRelation SetTo(ValueSet values) const;
  /// Bit `bit` of every value now set (or cleared).
  BasicValueRelation WithBit(int bit, bool set) const;
  /// The values after `callee`, a relation from its entry, has run from here.
  BasicValueRelation Then(const BasicValueRelation& callee) const;
  /// Adds the pairs of `other`; true when that changed the relation.
  bool Join(const BasicValueRelation& other) {
    if (domain_ != other.domain_ || wide_ != other.wide_) return JoinPieces(other);
    // The same entries: row by row, or piece by piece for the wide form.
    ValueSet grown = 0;
    for (size_t k = 0; k < rows_.size(); ++k) {
      grown |= ValueSet{other.rows_[k]} & ~ValueSet{rows_[k]};
      rows_[k] = static_cast<Set>(rows_[k] | other.rows_[k]);
    }
    return grown != 0;
  }

  friend bool operator==(const BasicValueRelation&, const BasicValueRelation&) = default;

 private:
  bool JoinPieces(const BasicValueRelation& other);
  void Gather(WidePieces& pieces) const;
  static BasicValueRelation FromPieces(const WidePieces& pieces);

  Set domain_ = 0;
  bool wide_ = false;  // more than kExactEntries entries
  // Exact: the row of each entry of `domain_`, lowest entry first. Wide:
  // [0] the entries kept as they were, [1] the entries with the shared
  // values, [2] those values (none exactly when there are no such entries).
  std::array<Set, kExactEntries> rows_{};
};

/// Bank numbers, up to 32.
using ValueRelation = BasicValueRelation<uint32_t>;
/// Page numbers, up to 16.
using PageRelation = BasicValueRelation<uint16_t>;

}  // namespace tessarin
