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
/// Reads never change the list: a reference from `Item` or `Items` stays
/// valid until the list itself is next changed.
class TextList {
 public:
  class AdditionRun;

  explicit TextList(bool sorted = false) : sorted_(sorted) {}

  bool Sorted() const { return sorted_; }

  void Clear();
  /// Appends `text`, or in a sorted list inserts it at its place.
  void Add(std::string text) {
    if (sorted_) return AddSorted(std::move(text));
    items_.push_back(std::move(text));
  }
  int Count() const { return static_cast<int>(items_.size()); }
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
  const std::vector<std::string>& Items() const { return items_; }

  /// Hands over all items in list order and leaves the list empty, with no
  /// selection.
  std::vector<std::string> TakeItems();
  /// The same, each text once where equal items stand side by side (as in a
  /// sorted list).
  std::vector<std::string> TakeDistinctItems();
  /// Takes the items of `other`, which must stand in this list's order, in
  /// place of its own, and leaves `other` empty; no item is selected.
  void TakeFrom(TextList& other);
  /// Takes `items`, which must stand in this list's order, in place of its
  /// own; no item is selected.
  void Assign(std::vector<std::string> items);

 private:
  void AddSorted(std::string&& text);
  /// Merges the additions of a run into their sorted places.
  void Settle();
  void SortPending();

  bool sorted_;
  int selected_ = -1;
  std::vector<std::string> items_;
  // Additions to a sorted list during an `AdditionRun`, not yet in place.
  std::vector<std::string> pending_;
  bool gathering_ = false;
};

/// A run of additions to a sorted list (the pass adds thousands of label
/// names in a row): while the run lasts, additions are gathered, and when it
/// ends they go to their places in one sort and merge, instead of shifting
/// the items once per addition. Meanwhile the list reads as it was before
/// the run. Only an addition to a list with a selection goes in at once.
class TextList::AdditionRun {
 public:
  explicit AdditionRun(TextList& list) : list_(list) { list_.gathering_ = true; }
  ~AdditionRun() {
    list_.gathering_ = false;
    list_.Settle();
  }
  AdditionRun(const AdditionRun&) = delete;
  AdditionRun& operator=(const AdditionRun&) = delete;

 private:
  TextList& list_;
};

/// Case-insensitive byte order of two texts: the order of a sorted list.
bool TextLess(const std::string& a, const std::string& b);

}  // namespace tessarin
