#pragma once

#include <QAbstractListModel>

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
  void EndReload() { endResetModel(); }
  /// After line `row` was replaced in place.
  void LineChanged(int row);

 private:
  const TextList& list_;
};

/// `bytes` as shown: Windows-1252 characters, TABs expanded to 8-column stops.
QString DisplayText(std::string_view bytes);

}  // namespace tessarin
