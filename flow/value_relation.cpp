#include "flow/value_relation.h"

#include <bit>
#include <cstddef>

namespace tessarin {
namespace {

// The values that have bit b set, for b = 0 to 4.
constexpr std::array<ValueSet, 5> kValuesWithBit{0xAAAAAAAA, 0xCCCCCCCC, 0xF0F0F0F0, 0xFF00FF00,
                                                 0xFFFF0000};

constexpr ValueSet Only(int value) { return ValueSet{1} << value; }

template <typename Visit>
void ForEachValue(ValueSet values, Visit visit) {
  for (; values != 0; values &= values - 1) visit(std::countr_zero(values));
}

// More than `limit` values in the set; cheaper than counting them all.
bool MoreThan(ValueSet values, int limit) {
  for (int count = 0; values != 0; values &= values - 1) {
    if (++count > limit) return true;
  }
  return false;
}

}  // namespace

ValueSet ForceBit(ValueSet values, int bit, bool set) {
  const ValueSet with = kValuesWithBit[static_cast<size_t>(bit)];
  const int step = 1 << bit;
  return set ? (values & with) | ((values & ~with) << step)
             : (values & ~with) | ((values & with) >> step);
}

// The wide form being gathered: entries kept as they were, and entries that
// may have any of one shared set of values.
struct WidePieces {
  ValueSet kept = 0;
  ValueSet entries = 0;
  ValueSet values = 0;

  // The pair of `entry` and its values: the entry is kept when they hold
  // it, and the others join the shared values.
  void Pair(int entry, ValueSet row) {
    kept |= row & Only(entry);
    if ((row & ~Only(entry)) == 0) return;
    entries |= Only(entry);
    values |= row & ~Only(entry);
  }
  // Entries with no value have no pair.
  void Share(ValueSet more_entries, ValueSet more_values) {
    if (more_values == 0) return;
    entries |= more_entries;
    values |= more_values;
  }
};

template <typename Set>
void BasicValueRelation<Set>::Gather(WidePieces& pieces) const {
  if (wide_) {
    pieces.kept |= rows_[0];
    pieces.Share(rows_[1], rows_[2]);
    return;
  }
  size_t k = 0;
  ForEachValue(domain_, [&](int entry) { pieces.Pair(entry, rows_[k++]); });
}

// The wide form, or rows again when four entries or fewer remain.
template <typename Set>
BasicValueRelation<Set> BasicValueRelation<Set>::FromPieces(const WidePieces& pieces) {
  const ValueSet domain = pieces.kept | pieces.entries;
  BasicValueRelation relation;
  relation.domain_ = static_cast<Set>(domain);
  relation.wide_ = MoreThan(domain, kExactEntries);
  if (relation.wide_) {
    relation.rows_[0] = static_cast<Set>(pieces.kept);
    relation.rows_[1] = static_cast<Set>(pieces.entries);
    relation.rows_[2] = static_cast<Set>(pieces.values);
    return relation;
  }
  size_t k = 0;
  ForEachValue(domain, [&](int entry) {
    const ValueSet shared = (pieces.entries & Only(entry)) != 0 ? pieces.values : 0;
    relation.rows_[k++] = static_cast<Set>((pieces.kept & Only(entry)) | shared);
  });
  return relation;
}

template <typename Set>
BasicValueRelation<Set> BasicValueRelation<Set>::Identity(ValueSet values) {
  BasicValueRelation relation;
  relation.domain_ = static_cast<Set>(values);
  relation.wide_ = MoreThan(values, kExactEntries);
  if (relation.wide_) {
    relation.rows_[0] = static_cast<Set>(values);
  } else {
    size_t k = 0;
    ForEachValue(values, [&](int entry) { relation.rows_[k++] = static_cast<Set>(Only(entry)); });
  }
  return relation;
}

template <typename Set>
ValueSet BasicValueRelation<Set>::Apply(ValueSet entries) const {
  if (wide_) return (entries & rows_[0]) | ((entries & rows_[1]) != 0 ? ValueSet{rows_[2]} : 0);
  ValueSet values = 0;
  size_t k = 0;
  ForEachValue(domain_, [&](int entry) {
    if (entries & Only(entry)) values |= rows_[k];
    ++k;
  });
  return values;
}

template <typename Set>
BasicValueRelation<Set> BasicValueRelation<Set>::SetTo(ValueSet values) const {
  BasicValueRelation relation;
  if (values == 0) return relation;
  relation.domain_ = domain_;
  relation.wide_ = wide_;
  if (wide_) {
    relation.rows_[1] = domain_;
    relation.rows_[2] = static_cast<Set>(values);
  } else {
    size_t k = 0;
    ForEachValue(domain_, [&](int) { relation.rows_[k++] = static_cast<Set>(values); });
  }
  return relation;
}

template <typename Set>
BasicValueRelation<Set> BasicValueRelation<Set>::WithBit(int bit, bool set) const {
  BasicValueRelation relation = *this;
  if (!wide_) {
    for (Set& row : relation.rows_) row = static_cast<Set>(ForceBit(row, bit, set));
    return relation;
  }
  // Entries whose value the bit changes join the shared values.
  const ValueSet with = kValuesWithBit[static_cast<size_t>(bit)];
  const ValueSet moved = rows_[0] & (set ? ~with : with);
  relation.rows_[0] = static_cast<Set>(rows_[0] & ~moved);
  relation.rows_[1] = static_cast<Set>(rows_[1] | moved);
  relation.rows_[2] = static_cast<Set>(ForceBit(rows_[2], bit, set) | ForceBit(moved, bit, set));
  return relation;
}

template <typename Set>
BasicValueRelation<Set> BasicValueRelation<Set>::Then(const BasicValueRelation& callee) const {
  if (!wide_) {
    BasicValueRelation relation;
    size_t k = 0;
    size_t kept = 0;
    ForEachValue(domain_, [&](int entry) {
      const ValueSet row = callee.Apply(rows_[k++]);
      if (row == 0) return;
      relation.domain_ = static_cast<Set>(relation.domain_ | Only(entry));
      relation.rows_[kept++] = static_cast<Set>(row);
    });
    return relation;
  }
  // Entries kept as they were meet the callee's rows; the shared values go
  // through the callee as one set.
  WidePieces pieces;
  if (callee.wide_) {
    pieces.kept = ValueSet{rows_[0]} & callee.rows_[0];
    pieces.Share(ValueSet{rows_[0]} & callee.rows_[1], callee.rows_[2]);
  } else {
    size_t k = 0;
    ForEachValue(callee.domain_, [&](int entry) {
      const ValueSet row = callee.rows_[k++];
      if (rows_[0] & Only(entry)) pieces.Pair(entry, row);
    });
  }
  pieces.Share(rows_[1], callee.Apply(rows_[2]));
  return FromPieces(pieces);
}

template <typename Set>
bool BasicValueRelation<Set>::JoinPieces(const BasicValueRelation& other) {
  if (domain_ == 0) {
    *this = other;
    return true;
  }
  const ValueSet domain = ValueSet{domain_} | other.domain_;
  if (!wide_ && !other.wide_ && !MoreThan(domain, kExactEntries)) {
    // Both exact, and so is their union: merge the rows entry by entry.
    BasicValueRelation joined;
    joined.domain_ = static_cast<Set>(domain);
    size_t mine = 0;
    size_t theirs = 0;
    size_t k = 0;
    ForEachValue(domain, [&](int entry) {
      ValueSet row = 0;
      if (domain_ & Only(entry)) row |= rows_[mine++];
      if (other.domain_ & Only(entry)) row |= other.rows_[theirs++];
      joined.rows_[k++] = static_cast<Set>(row);
    });
    const bool changed = joined != *this;
    *this = joined;
    return changed;
  }
  WidePieces pieces;
  Gather(pieces);
  other.Gather(pieces);
  const BasicValueRelation joined = FromPieces(pieces);
  const bool changed = joined != *this;
  *this = joined;
  return changed;
}

template class BasicValueRelation<uint16_t>;
template class BasicValueRelation<uint32_t>;

}  // namespace tessarin
