#include "ui/qt/text_list_model.h"

#include "ui/cp1252.h"

namespace tessarin {

QString DisplayText(std::string_view bytes) {
  constexpr qsizetype kTabStop = 8;
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()) + kTabStop);
  for (char byte : bytes) {
    if (byte == '\t') {
      text.append(QString(kTabStop - text.size() % kTabStop, u' '));
    } else {
      text.append(QChar(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
    }
  }
  return text;
}

int TextListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.Count();
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  return DisplayText(list_.Item(index.row()));
}

void TextListModel::LineChanged(int row) {
  const QModelIndex changed = index(row);
  if (!changed.isValid()) return;
  widest_row_.reset();
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

int TextListModel::WidestRow() const {
  if (!widest_row_) {
    widest_row_ = -1;
    qsizetype widest = -1;
    for (int row = 0; row < list_.Count(); ++row) {
      const qsizetype shown = DisplayText(list_.Item(row)).size();
      if (shown > widest) {
        widest = shown;
        widest_row_ = row;
      }
    }
  }
  return *widest_row_;
}

QSize WidestLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const auto* model = dynamic_cast<const TextListModel*>(index.model());
  const QModelIndex widest = model != nullptr ? model->index(model->WidestRow()) : QModelIndex();
  return QStyledItemDelegate::sizeHint(option, widest.isValid() ? widest : index);
}

}  // namespace tessarin
