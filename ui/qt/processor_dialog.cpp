#include "ui/qt/processor_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "processors/processor.h"
#include "ui/qt/appearance.h"
#include "ui/qt/window_texts.h"

namespace tessarin {
namespace {

struct Group {
  Core core;
  const char* title;
};

constexpr Group kGroups[] = {
    {Core::kMidRange, "Milieu de gamme"},
    {Core::kEnhanced, "Milieu de gamme amélioré"},
};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a typed filter looks for in the names: "p16f1827" and "PIC16F1827"
// name the part as "16F1827" does.
QString NamePart(const QString& typed) {
  QString text = typed.trimmed().toUpper();
  if (text.startsWith(u"PIC")) return text.mid(3);
  if (text.startsWith(u'P')) return text.mid(1);
  return text;
}

// Each core's title, with its parts under it: only the parts can be chosen.
QStandardItemModel* PartsByCore(QObject* parent) {
  auto* model = new QStandardItemModel(parent);
  for (const Group& group : kGroups) {
    auto* core = new QStandardItem(QString::fromUtf8(group.title));
    core->setFlags(Qt::ItemIsEnabled);
    for (const Processor& processor : Processors()) {
      if (processor.core != group.core) continue;
      auto* part = new QStandardItem(FromUtf8(processor.name));
      part->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      core->appendRow(part);
    }
    model->appendRow(core);
  }
  return model;
}

}  // namespace

ProcessorDialog::ProcessorDialog(std::string_view current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("ProcessorDialog"));
  setWindowTitle(QStringLiteral("Processeur"));
  setFont(DesignFont(Face::kMsSansSerif, 8.25, false));

  filter_ = new QLineEdit;
  filter_->setObjectName(QStringLiteral("Filter"));
  filter_->setClearButtonEnabled(true);
  filter_->setToolTip(QStringLiteral("Une partie du nom, puis \"Entrée\" : 1827, 16f84"));
  filter_->installEventFilter(this);
  auto* filter_label = new QLabel(QStringLiteral("&Filtre :"));
  filter_label->setBuddy(filter_);

  model_ = PartsByCore(this);
  parts_ = new QTreeView;
  parts_->setObjectName(QStringLiteral("Parts"));
  parts_->setModel(model_);
  parts_->setHeaderHidden(true);
  parts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  parts_->setSelectionMode(QAbstractItemView::SingleSelection);
  parts_->setUniformRowHeights(true);
  parts_->expandAll();

  auto* note = new QLabel(FromUtf8(kAlwaysSymbolicNote));
  note->setObjectName(QStringLiteral("Note"));
  note->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* filter_row = new QHBoxLayout;
  filter_row->addWidget(filter_label);
  filter_row->addWidget(filter_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filter_row);
  layout->addWidget(parts_);
  layout->addWidget(note);
  layout->addWidget(buttons);
  resize(300, 420);

  connect(filter_, &QLineEdit::textChanged, this, &ProcessorDialog::Filter);
  connect(parts_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ok_->setEnabled(!Selected().empty()); });
  connect(parts_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.parent().isValid()) accept();
  });
  const QModelIndexList named =
      model_->match(model_->index(0, 0), Qt::DisplayRole, FromUtf8(current), 1,
                    Qt::MatchExactly | Qt::MatchRecursive);
  Select(named.value(0));
  filter_->setFocus();
}

std::string ProcessorDialog::Selected() const {
  const QModelIndexList selected = parts_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? std::string() : selected.first().data().toString().toStdString();
}

void ProcessorDialog::Filter(const QString& text) {
  const QString wanted = NamePart(text);
  for (int g = 0; g < model_->rowCount(); ++g) {
    const QModelIndex group = model_->index(g, 0);
    bool any = false;
    for (int row = 0; row < model_->rowCount(group); ++row) {
      const bool kept = model_->index(row, 0, group).data().toString().contains(wanted);
      parts_->setRowHidden(row, group, !kept);
      any = any || kept;
    }
    parts_->setRowHidden(g, QModelIndex(), !any);
  }
  Select(Shown().value(0));
}

QModelIndexList ProcessorDialog::Shown() const {
  QModelIndexList shown;
  for (int g = 0; g < model_->rowCount(); ++g) {
    const QModelIndex group = model_->index(g, 0);
    for (int row = 0; row < model_->rowCount(group); ++row) {
      if (!parts_->isRowHidden(row, group)) shown << model_->index(row, 0, group);
    }
  }
  return shown;
}

void ProcessorDialog::Step(int step) {
  const QModelIndexList shown = Shown();
  if (shown.isEmpty()) return;
  const QModelIndexList selected = parts_->selectionModel()->selectedIndexes();
  const qsizetype at = selected.isEmpty() ? -1 : shown.indexOf(selected.first());
  Select(shown.value(std::clamp<qsizetype>(at + step, 0, shown.size() - 1)));
}

void ProcessorDialog::Select(const QModelIndex& part) {
  if (!part.isValid()) {
    parts_->selectionModel()->clearSelection();
    ok_->setEnabled(false);
    return;
  }
  parts_->selectionModel()->setCurrentIndex(part, QItemSelectionModel::ClearAndSelect);
  parts_->scrollTo(part);
}

bool ProcessorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == filter_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
      Step(key == Qt::Key_Down ? 1 : -1);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ProcessorDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QModelIndexList selected = parts_->selectionModel()->selectedIndexes();
  if (!selected.isEmpty()) parts_->scrollTo(selected.first(), QAbstractItemView::PositionAtCenter);
}

}  // namespace tessarin
