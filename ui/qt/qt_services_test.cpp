#include "ui/qt/qt_services.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/qt/translations.h"

namespace tessarin {
namespace {

using namespace Qt::StringLiterals;

// The real dialogs, answered from inside their own event loop.
class QtServicesTest : public QObject {
  Q_OBJECT

 private:
  // Runs `answer` on the modal dialog as soon as it is shown.
  template <typename Dialog>
  void WhenShown(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, this, [this, answer] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog) {
        WhenShown(answer);
        return;
      }
      answer(*dialog);
    });
  }

  QWidget window_;
  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QVERIFY(LoadToolkitFrench(*QCoreApplication::instance()));
    window_.show();
    window_.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
  }

  void SaveDialogIsFrenchOverTheWindowAndAddsAsm() {
    QtFileDialog dialog;
    QString cancel_text;
    QStringList filters;
    QWidget* owner = nullptr;
    WhenShown<QFileDialog>([&](QFileDialog& shown) {
      owner = shown.parentWidget();
      filters = shown.nameFilters();
      cancel_text = shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
      auto* name = shown.findChild<QLineEdit*>(u"fileNameEdit"_s);
      name->setText(u"result"_s);
      QTest::keyClick(name, Qt::Key_Return);
    });
    const FileDialog::Choice choice =
        dialog.ShowSave(QFile::encodeName(dir_.filePath(u"prog.asm"_s)).toStdString());
    QCOMPARE(owner, &window_);
    QCOMPARE(filters, (QStringList{u"Source assembleur (*.asm)"_s, u"Tous les fichiers (*)"_s}));
    QVERIFY2(cancel_text.contains(u"Annuler"_s), qPrintable(cancel_text));
    QCOMPARE(choice.outcome, FileDialog::Outcome::kChosen);
    QCOMPARE(QFile::decodeName(choice.path.c_str()), dir_.filePath(u"result.asm"_s));
  }

  void OpenDialogFiltersHexFiles() {
    QtFileDialog dialog;
    QStringList filters;
    WhenShown<QFileDialog>([&](QFileDialog& shown) {
      filters = shown.nameFilters();
      shown.reject();
    });
    QCOMPARE(dialog.ShowOpen(QFile::encodeName(dir_.path()).toStdString(), true).outcome,
             FileDialog::Outcome::kCancelled);
    QCOMPARE(filters, (QStringList{u"Fichiers HEX (*.hex)"_s, u"Tous les fichiers (*)"_s}));
  }

  // Over the active window, or the main window when none is active.
  void MessageBoxStandsOverAWindow() {
    QWidget other;
    QtMessageBox box;
    box.SetMainWindow(&other);
    QList<QWidget*> owners;
    for (bool active : {true, false}) {
      if (active) {
        window_.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window_));
      } else {
        QApplication::setActiveWindow(nullptr);
      }
      WhenShown<QMessageBox>([&](QMessageBox& shown) {
        owners << shown.parentWidget();
        shown.accept();
      });
      box.Show("Nom de fichier invalide !", "Tessarin");
    }
    QCOMPARE(owners, (QList<QWidget*>{&window_, &other}));
  }
};

}  // namespace
}  // namespace tessarin

QTEST_MAIN(tessarin::QtServicesTest)
#include "qt_services_test.moc"
