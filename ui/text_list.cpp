#include "ui/text_list.h"

#include <algorithm>
#include <iterator>

namespace tessarin {
namespace {

const std::string kEmpty;

unsigned char FoldCase(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

bool TextLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldCase(static_cast<unsigned char>(x)) <
               FoldCase(static_cast<unsigned char>(y));
      });
}

void TextList::Clear() {
  items_.clear();
  pending_.clear();
  selected_ = -1;
}

void TextList::Add(std::string text) {
  if (!sorted_) {
    items_.push_back(std::move(text));
    return;
  }
  if (selected_ < 0) {
    pending_.push_back(std::move(text));
    return;
  }
  // With a selection the insertion place matters at once, to keep the
  // selection on its item.
  Settle();
  auto place = std::upper_bound(items_.begin(), items_.end(), text, TextLess);
  int index = static_cast<int>(place - items_.begin());
  items_.insert(place, std::move(text));
  if (index <= selected_) ++selected_;
}

const std::string& TextList::Item(int index) const {
  Settle();
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

void TextList::Select(int index) {
  selected_ = (index >= 0 && index < Count()) ? index : -1;
}

const std::vector<std::string>& TextList::Items() const {
  Settle();
  return items_;
}

void TextList::Settle() const {
  if (pending_.empty()) return;
  // A stable sort followed by a stable merge puts each new item after the
  // equal items already present and after equal items added before it: the
  // order that inserting one at a time would give.
  std::stable_sort(pending_.begin(), pending_.end(), TextLess);
  auto middle = static_cast<std::ptrdiff_t>(items_.size());
  items_.insert(items_.end(), std::make_move_iterator(pending_.begin()),
                std::make_move_iterator(pending_.end()));
  pending_.clear();
  std::inplace_merge(items_.begin(), items_.begin() + middle, items_.end(), TextLess);
}

}  // namespace tessarin
