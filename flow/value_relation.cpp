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

// One row per entry value, for the operations on the wide form.
struct ValueRelation::Dense {
  ValueSet domain = 0;
  std::array<ValueSet, 32> rows{};

  void Add(int entry, ValueSet row) {
    if (row == 0) return;
    domain |= Only(entry);
    rows[static_cast<size_t>(entry)] |= row;
  }
};

ValueRelation::Dense ValueRelation::Expand() const {
  Dense dense;
  if (wide_) {
    ForEachValue(rows_[0], [&](int entry) { dense.Add(entry, Only(entry)); });
    ForEachValue(rows_[1], [&](int entry) { dense.Add(entry, rows_[2]); });
  } else {
    size_t k = 0;
    ForEachValue(domain_, [&](int entry) { dense.Add(entry, rows_[k++]); });
  }
  return dense;
}

// The wide form keeps an entry among those kept as they were when its row
// holds its own value, and puts the rest of its row into the shared values.
ValueRelation ValueRelation::Compress(const Dense& dense) {
  ValueRelation relation;
  relation.domain_ = dense.domain;
  relation.wide_ = MoreThan(dense.domain, kExactEntries);
  if (relation.wide_) {
    ForEachValue(dense.domain, [&](int entry) {
      const ValueSet row = dense.rows[static_cast<size_t>(entry)];
      relation.rows_[0] |= row & Only(entry);
      if ((row & ~Only(entry)) == 0) return;
      relation.rows_[1] |= Only(entry);
      relation.rows_[2] |= row & ~Only(entry);
    });
  } else {
    size_t k = 0;
    ForEachValue(dense.domain,
                 [&](int entry) { relation.rows_[k++] = dense.rows[static_cast<size_t>(entry)]; });
  }
  return relation;
}

ValueRelation ValueRelation::Identity(ValueSet values) {
  ValueRelation relation;
  relation.domain_ = values;
  relation.wide_ = MoreThan(values, kExactEntries);
  if (relation.wide_) {
    relation.rows_[0] = values;
  } else {
    size_t k = 0;
    ForEachValue(values, [&](int entry) { relation.rows_[k++] = Only(entry); });
  }
  return relation;
}

ValueSet ValueRelation::Image() const {
  if (wide_) return rows_[0] | (rows_[1] != 0 ? rows_[2] : 0);
  return rows_[0] | rows_[1] | rows_[2] | rows_[3];
}

ValueSet ValueRelation::Apply(ValueSet entries) const {
  if (wide_) return (entries & rows_[0]) | ((entries & rows_[1]) != 0 ? rows_[2] : 0);
  ValueSet values = 0;
  size_t k = 0;
  ForEachValue(domain_, [&](int entry) {
    if (entries & Only(entry)) values |= rows_[k];
    ++k;
  });
  return values;
}

ValueRelation ValueRelation::SetTo(ValueSet values) const {
  ValueRelation relation;
  if (values == 0) return relation;
  relation.domain_ = domain_;
  relation.wide_ = wide_;
  if (wide_) {
    relation.rows_[1] = domain_;
    relation.rows_[2] = values;
  } else {
    size_t k = 0;
    ForEachValue(domain_, [&](int) { relation.rows_[k++] = values; });
  }
  return relation;
}

ValueRelation ValueRelation::WithBit(int bit, bool set) const {
  ValueRelation relation = *this;
  if (!wide_) {
    for (ValueSet& row : relation.rows_) row = ForceBit(row, bit, set);
    return relation;
  }
  // Entries whose value the bit changes join the shared values.
  const ValueSet with = kValuesWithBit[static_cast<size_t>(bit)];
  const ValueSet moved = rows_[0] & (set ? ~with : with);
  relation.rows_[0] &= ~moved;
  relation.rows_[1] |= moved;
  relation.rows_[2] = ForceBit(rows_[1] != 0 ? rows_[2] : 0, bit, set) | ForceBit(moved, bit, set);
  return relation;
}

ValueRelation ValueRelation::Then(const ValueRelation& callee) const {
  if (wide_) {
    Dense dense;
    ForEachValue(rows_[0], [&](int entry) { dense.Add(entry, callee.Apply(Only(entry))); });
    const ValueSet shared = callee.Apply(rows_[2]);
    ForEachValue(rows_[1], [&](int entry) { dense.Add(entry, shared); });
    return Compress(dense);
  }
  ValueRelation relation;
  size_t k = 0;
  size_t kept = 0;
  ForEachValue(domain_, [&](int entry) {
    const ValueSet row = callee.Apply(rows_[k++]);
    if (row == 0) return;
    relation.domain_ |= Only(entry);
    relation.rows_[kept++] = row;
  });
  return relation;
}

bool ValueRelation::Join(const ValueRelation& other) {
  if (other.domain_ == 0) return false;
  if (domain_ == 0) {
    *this = other;
    return true;
  }
  if (domain_ == other.domain_ && !wide_) {
    bool changed = false;
    for (size_t k = 0; k < rows_.size(); ++k) {
      changed = changed || (rows_[k] | other.rows_[k]) != rows_[k];
      rows_[k] |= other.rows_[k];
    }
    return changed;
  }
  const ValueSet domain = domain_ | other.domain_;
  if (!wide_ && !other.wide_ && !MoreThan(domain, kExactEntries)) {
    // Both exact: merge the rows entry by entry.
    ValueRelation joined;
    joined.domain_ = domain;
    size_t mine = 0;
    size_t theirs = 0;
    size_t k = 0;
    ForEachValue(domain, [&](int entry) {
      if (domain_ & Only(entry)) joined.rows_[k] |= rows_[mine++];
      if (other.domain_ & Only(entry)) joined.rows_[k] |= other.rows_[theirs++];
      ++k;
    });
    const bool changed = joined != *this;
    *this = joined;
    return changed;
  }
  Dense dense = Expand();
  const Dense more = other.Expand();
  ForEachValue(more.domain,
               [&](int entry) { dense.Add(entry, more.rows[static_cast<size_t>(entry)]); });
  const ValueRelation joined = Compress(dense);
  const bool changed = joined != *this;
  *this = joined;
  return changed;
}

}  // namespace tessarin
