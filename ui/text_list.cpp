#include "ui/text_list.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace tessarin {
namespace {

const std::string kEmpty;

unsigned FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? byte - ('a' - 'A') : byte;
}

// A function object rather than a function pointer, so that sorting inlines it.
struct FoldedLess {
  bool operator()(const std::string& a, const std::string& b) const {
    const size_t common = std::min(a.size(), b.size());
    for (size_t k = 0; k < common; ++k) {
      const unsigned x = FoldCase(a[k]);
      const unsigned y = FoldCase(b[k]);
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
};

}  // namespace

bool TextLess(const std::string& a, const std::string& b) { return FoldedLess()(a, b); }

void TextList::Clear() {
  items_.clear();
  pending_.clear();
  selected_ = -1;
}

void TextList::AddSorted(std::string&& text) {
  if (gathering_ && selected_ < 0) {
    pending_.push_back(std::move(text));
    return;
  }
  // An addition in order (the label queue is refilled from the sorted label
  // list) goes at the end without a search.
  const FoldedLess less;
  if (items_.empty() || !less(text, items_.back())) {
    items_.push_back(std::move(text));
    return;
  }
  auto place = std::upper_bound(items_.begin(), items_.end(), text, less);
  int index = static_cast<int>(place - items_.begin());
  items_.insert(place, std::move(text));
  if (index <= selected_) ++selected_;
}

const std::string& TextList::Item(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return kEmpty;
  return items_[static_cast<size_t>(index)];
}

void TextList::Replace(int index, std::string text) {
  Settle();
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  items_[static_cast<size_t>(index)] = std::move(text);
}

void TextList::Remove(int index) {
  Settle();
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

std::vector<std::string> TextList::TakeItems() {
  Settle();
  selected_ = -1;
  return std::exchange(items_, {});
}

std::vector<std::string> TextList::TakeDistinctItems() {
  std::vector<std::string> items = TakeItems();
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

void TextList::TakeFrom(TextList& other) { Assign(other.TakeItems()); }

void TextList::Assign(std::vector<std::string> items) {
  Clear();
  items_ = std::move(items);
}

void TextList::Select(int index) {
  Settle();
  selected_ = (index >= 0 && index < Count()) ? index : -1;
}

void TextList::SortPending() {
  // Sorts positions by a key made of the first eight case-folded bytes, so
  // that most comparisons are one integer comparison; only equal keys need the
  // texts. Missing bytes count as 0, which keeps a prefix before its longer
  // texts. The sort is stable, like insertion one at a time.
  struct Keyed {
    uint64_t key;
    uint32_t index;
  };
  std::vector<Keyed> keyed(pending_.size());
  // Texts of at most eight bytes, none of them 0 (label names), are ordered
  // by their keys alone, and equal keys are texts equal but for case.
  bool keys_decide = true;
  for (size_t i = 0; i < pending_.size(); ++i) {
    uint64_t key = 0;
    const std::string& text = pending_[i];
    for (size_t k = 0; k < 8; ++k) key = (key << 8) | (k < text.size() ? FoldCase(text[k]) : 0u);
    keyed[i] = {key, static_cast<uint32_t>(i)};
    keys_decide = keys_decide && text.size() <= 8 && text.find('\0') == std::string::npos;
  }
  if (keys_decide) {
    // The index after the key makes every position distinct: the order the
    // stable sort gives.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
      return a.key != b.key ? a.key < b.key : a.index < b.index;
    });
  } else {
    const FoldedLess less;
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
      if (a.key != b.key) return a.key < b.key;
      return less(pending_[a.index], pending_[b.index]);
    });
  }
  std::vector<std::string> sorted;
  sorted.reserve(pending_.size());
  for (const Keyed& entry : keyed) sorted.push_back(std::move(pending_[entry.index]));
  pending_ = std::move(sorted);
}

void TextList::Settle() {
  if (pending_.empty()) return;
  // A stable sort followed by a stable merge puts each new item after the
  // equal items already present and after equal items added before it: the
  // order that inserting one at a time would give.
  // Additions that arrive in order (the label queue is refilled from the
  // sorted label list) need neither step.
  const FoldedLess less;
  if (!std::is_sorted(pending_.begin(), pending_.end(), less)) SortPending();
  const bool in_order = items_.empty() || !less(pending_.front(), items_.back());
  const auto middle = static_cast<std::ptrdiff_t>(items_.size());
  items_.insert(items_.end(), std::make_move_iterator(pending_.begin()),
                std::make_move_iterator(pending_.end()));
  pending_.clear();
  if (!in_order) std::inplace_merge(items_.begin(), items_.begin() + middle, items_.end(), less);
}

}  // namespace tessarin
