#pragma once

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <optional>

#include "ui/text_list.h"

namespace tessarin {

/// A view of one of the core's text lists: each byte shows as its
/// Windows-1252 character and each TAB as blanks up to the next multiple of
/// eight columns, so that the listing's columns line up in a fixed-pitch font.
/// The model keeps no copy; whoever changes the list tells the model.
class TextListModel : public QAbstractListModel {
 public:
  explicit TextListModel(const TextList& list, QObject* parent = nullptr)
      : QAbstractListModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  /// Around any change of the list that may add, remove or move lines.
  void BeginReload() { beginResetModel(); }
  void EndReload() {
    widest_row_.reset();
    endResetModel();
  }
  /// After line `row` was replaced in place.
  void LineChanged(int row);

  /// The row whose line shows the most characters (the first of them), or
  /// -1 for an empty list: a view that gives every line one size takes it
  /// from this row.
  int WidestRow() const;

 private:
  const TextList& list_;
  mutable std::optional<int> widest_row_;  // found once per change of the list
};

/// Sizes every line as the widest line of its `TextListModel`, so that a
/// view whose lines share one size (`uniformItemSizes`) scrolls to the end
/// of the widest line instead of cutting the lines wider than the first.
class WidestLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

/// `bytes` as shown: Windows-1252 characters, TABs expanded to 8-column stops.
QString DisplayText(std::string_view bytes);

}  // namespace tessarin
