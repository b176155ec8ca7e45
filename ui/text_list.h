#pragma once

#include <string>
#include <vector>

namespace tessarin {

/// An ordered list of texts, as the window's list boxes hold them.
///
/// A sorted list keeps its items in ascending order of their text, letters
/// compared without regard to case, byte by byte otherwise; equal items stand
/// side by side, a new one after those already there. Reading an index the
/// list does not have gives the empty text. At most one item is selected.
class TextList {
 public:
  explicit TextList(bool sorted = false) : sorted_(sorted) {}

  bool Sorted() const { return sorted_; }

  void Clear();
  /// Appends `text`, or in a sorted list inserts it at its place.
  void Add(std::string text);
  int Count() const { return static_cast<int>(items_.size() + pending_.size()); }
  /// The text of item `index`, or the empty text for an index out of range.
  const std::string& Item(int index) const;
  /// Puts `text` in place of item `index`; out of range, nothing happens.
  void Replace(int index, std::string text);
  /// Removes item `index`; later items move up. Out of range, nothing happens.
  void Remove(int index);

  /// The selected index, or -1 when no item is selected.
  int SelectedIndex() const { return selected_; }
  /// Selects item `index`; an index out of range clears the selection.
  void Select(int index);

  /// Makes room for `count` items in all, so that a long run of additions
  /// does not move the items again and again.
  void Reserve(int count) { items_.reserve(static_cast<size_t>(count)); }

  /// All items in list order.
  const std::vector<std::string>& Items() const;

 private:
  /// Merges the items added since the last read into their sorted places.
  void Settle() const;
  void SortPending() const;

  bool sorted_;
  int selected_ = -1;
  // A sorted list takes a run of additions (the pass adds thousands of label
  // names in a row) into `pending_` and sorts them in one go when the list is
  // next read, instead of shifting the vector once per addition.
  mutable std::vector<std::string> items_;
  mutable std::vector<std::string> pending_;
};

/// Case-insensitive byte order of two texts: the order of a sorted list.
bool TextLess(const std::string& a, const std::string& b);

}  // namespace tessarin
