#pragma once

#include <QDialog>
#include <QModelIndexList>
#include <string>
#include <string_view>

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace tessarin {

/// The dialog of "&Processeur": every 14-bit part under its core, a filter
/// field above them and a line saying how a part outside the PIC16F87x family
/// lists. The filter keeps the parts whose names hold the text typed ("1827",
/// "p16f1827") and selects the first one kept, so that Enter chooses it;
/// Up and Down in the filter move among the parts kept.
class ProcessorDialog : public QDialog {
  Q_OBJECT

 public:
  /// The parts with `current` selected; the filter has the focus.
  explicit ProcessorDialog(std::string_view current, QWidget* parent = nullptr);

  /// The name of the part selected ("16F1827"); empty when none is.
  std::string Selected() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Filter(const QString& text);
  /// Selects the part `step` places after (or before) the one selected,
  /// among those shown.
  void Step(int step);
  void Select(const QModelIndex& part);
  /// The parts shown, in their order on screen.
  QModelIndexList Shown() const;

  QLineEdit* filter_ = nullptr;
  QTreeView* parts_ = nullptr;
  QStandardItemModel* model_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace tessarin
