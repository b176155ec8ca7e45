#include "ui/qt/qt_services.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTime>
#include <QTreeView>
#include <algorithm>

#include "ui/cp1252.h"
#include "ui/qt/processor_dialog.h"

namespace tessarin {
namespace {

QString AllFiles() { return QStringLiteral("Tous les fichiers (*)"); }

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt's own dialog opens its detail view with columns narrower than their
// titles and entries (the date cut off): once a folder is read, each column
// widens to hold them, and the dialog grows to show every column whole
// beside the name. A native dialog has no such view.
void ShowColumnsWhole(QFileDialog& dialog) {
  auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* files = dialog.findChild<QFileSystemModel*>();
  if (tree == nullptr || files == nullptr) return;
  QObject::connect(files, &QFileSystemModel::directoryLoaded, tree, [&dialog, tree] {
    QHeaderView* header = tree->header();
    const QAbstractItemView* entries = tree;
    for (int column = 1; column < header->count(); ++column) {
      header->resizeSection(column,
                            std::max({header->sectionSize(column), header->sectionSizeHint(column),
                                      entries->sizeHintForColumn(column)}));
    }
    const int missing = header->length() - tree->viewport()->width();
    if (missing > 0) dialog.resize(dialog.width() + missing, dialog.height());
  });
}

FileDialog::Choice Run(QFileDialog& dialog) {
  ShowColumnsWhole(dialog);
  if (dialog.exec() != QDialog::Accepted) return {FileDialog::Outcome::kCancelled, {}};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return {FileDialog::Outcome::kFailed, {}};
  return {FileDialog::Outcome::kChosen, QFile::encodeName(files.first()).toStdString()};
}

// The settings keep, most recent first, the file and part of each choice,
// for this many files: older choices are forgotten.
constexpr qsizetype kFilesRemembered = 200;
constexpr QLatin1StringView kPartsByFile("processorByFile");
constexpr QLatin1StringView kFileKey("file");
constexpr QLatin1StringView kPartKey("processor");

QSettings UserSettings() {
  return QSettings(QStringLiteral("Tessarin"), QStringLiteral("Tessarin"));
}

struct FilePart {
  QString file;
  QString part;
};

QList<FilePart> RememberedParts(QSettings& settings) {
  QList<FilePart> parts;
  const int count = settings.beginReadArray(kPartsByFile);
  for (int k = 0; k < count; ++k) {
    settings.setArrayIndex(k);
    parts.push_back({settings.value(kFileKey).toString(), settings.value(kPartKey).toString()});
  }
  settings.endArray();
  return parts;
}

}  // namespace

QWidget* DialogOwner::Owner() const {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr ? active : main_window_.data();
}

void QtMessageBox::Show(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QMessageBox::Ok, Owner());
  box.exec();
}

bool QtMessageBox::Ask(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton,
                  Owner());
  QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
  // Enter or Escape must not replace a file by accident.
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

MessageBox::Answer QtMessageBox::AskYesNoCancel(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton,
                  Owner());
  QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
  // Enter saves and Escape goes back: neither loses anything.
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return Answer::kYes;
  return box.clickedButton() == no ? Answer::kNo : Answer::kCancel;
}

void QtEventLoopYield::YieldOnce() {
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::string QtClock::DateText() {
  const QString text = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
  return Utf8ToCp1252(text.toStdString());
}

std::string QtClock::TimeText() {
  // The short form of most locales leaves the seconds out; the listing's
  // header has always shown them.
  QString format = QLocale().timeFormat(QLocale::ShortFormat);
  if (!format.contains(u's')) {
    const qsizetype minutes = format.lastIndexOf(u'm');
    if (minutes >= 0) format.insert(minutes + 1, QStringLiteral(":ss"));
  }
  return Utf8ToCp1252(QLocale().toString(QTime::currentTime(), format).toStdString());
}

FileDialog::Choice QtFileDialog::ShowOpen(const std::string& folder, bool must_exist) {
  QFileDialog dialog(Owner(), QString(), QFile::decodeName(folder.c_str()));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters({QStringLiteral("Fichiers HEX (*.hex *.ihx *.ihex)"), AllFiles()});
  dialog.setFileMode(must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  return Run(dialog);
}

FileDialog::Choice QtFileDialog::ShowSave(const std::string& proposed_path) {
  QFileDialog dialog(Owner());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension gets ".asm"; the proposed names keep
  // theirs, whatever they are.
  dialog.setNameFilters({QStringLiteral("Source assembleur (*.asm)"), AllFiles()});
  dialog.setDefaultSuffix(QStringLiteral("asm"));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!proposed_path.empty()) dialog.selectFile(QFile::decodeName(proposed_path.c_str()));
  return Run(dialog);
}

std::optional<std::string> QtProcessorChoice::Show(std::string_view current) {
  ProcessorDialog dialog(current, Owner());
  if (dialog.exec() != QDialog::Accepted || dialog.Selected().empty()) return std::nullopt;
  return dialog.Selected();
}

std::string QtPartMemory::PartFor(const std::string& hex_path) {
  QSettings settings = UserSettings();
  const QString file = QFile::decodeName(hex_path.c_str());
  for (const FilePart& remembered : RememberedParts(settings)) {
    if (remembered.file == file) return remembered.part.toStdString();
  }
  return {};
}

void QtPartMemory::Remember(const std::string& hex_path, std::string_view part) {
  QSettings settings = UserSettings();
  const QString file = QFile::decodeName(hex_path.c_str());
  QList<FilePart> parts = RememberedParts(settings);
  parts.removeIf([&file](const FilePart& remembered) { return remembered.file == file; });
  parts.prepend({file, FromUtf8(part)});
  if (parts.size() > kFilesRemembered) parts.resize(kFilesRemembered);
  settings.remove(kPartsByFile);
  settings.beginWriteArray(kPartsByFile, static_cast<int>(parts.size()));
  for (qsizetype k = 0; k < parts.size(); ++k) {
    settings.setArrayIndex(static_cast<int>(k));
    settings.setValue(kFileKey, parts[k].file);
    settings.setValue(kPartKey, parts[k].part);
  }
  settings.endArray();
}

}  // namespace tessarin
