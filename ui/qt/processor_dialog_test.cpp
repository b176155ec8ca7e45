#include "ui/qt/processor_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "processors/processor.h"
#include "ui/qt/qt_services.h"

namespace tessarin {
namespace {

using namespace Qt::StringLiterals;

class ProcessorDialogTest : public QObject {
  Q_OBJECT

 private:
  // The rows the dialog shows, in order: each core's title, then its parts.
  static QStringList ShownRows(ProcessorDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(u"Parts"_s);
    const QAbstractItemModel* model = view->model();
    QStringList rows;
    for (int g = 0; g < model->rowCount(); ++g) {
      const QModelIndex group = model->index(g, 0);
      if (view->isRowHidden(g, {})) continue;
      rows << group.data().toString();
      for (int row = 0; row < model->rowCount(group); ++row) {
        if (!view->isRowHidden(row, group)) rows << model->index(row, 0, group).data().toString();
      }
    }
    return rows;
  }

  QTemporaryDir settings_folder_;

 private slots:
  // No test touches the user's own settings.
  void initTestCase() {
    QVERIFY(settings_folder_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_folder_.path());
  }

  void ShowsEveryPartUnderItsCoreWithTheCurrentSelected() {
    ProcessorDialog dialog("16F877A");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), u"Processeur"_s);
    QCOMPARE(QApplication::focusWidget(), dialog.findChild<QLineEdit*>(u"Filter"_s));
    QCOMPARE(dialog.findChild<QLabel*>(u"Note"_s)->text(),
             u"Hors de la famille 16F87x, le listing est toujours symbolique."_s);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"Annuler"_s);
    QCOMPARE(dialog.Selected(), "16F877A");

    const QStringList rows = ShownRows(dialog);
    const qsizetype enhanced = rows.indexOf(u"Milieu de gamme amélioré"_s);
    QCOMPARE(rows.first(), u"Milieu de gamme"_s);
    QCOMPARE(rows.size(), qsizetype(Processors().size()) + 2);
    for (qsizetype row = 1; row < rows.size(); ++row) {
      if (row == enhanced) continue;
      const Processor* part = FindProcessor(rows[row].toStdString());
      QVERIFY2(part != nullptr, qPrintable(rows[row]));
      QCOMPARE(part->core, row < enhanced ? Core::kMidRange : Core::kEnhanced);
    }
  }

  // The filter keeps the parts whose names hold what is typed, in any form
  // the command line takes, and selects the first one: Enter chooses it.
  void FilterKeepsThePartsNamedAndEnterChoosesTheFirst_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("down");  // Down keys pressed in the filter
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("chosen");  // empty: Enter chooses nothing
    const QString mid = u"Milieu de gamme"_s;
    const QString enhanced = u"Milieu de gamme amélioré"_s;
    QTest::newRow("1827") << u"1827"_s << 0 << QStringList{enhanced, u"16F1827"_s, u"16LF1827"_s}
                          << u"16F1827"_s;
    QTest::newRow("PIC12F1840") << u"pic12f1840"_s << 0 << QStringList{enhanced, u"12F1840"_s}
                                << u"12F1840"_s;
    QTest::newRow("p16f84, Down") << u"p16f84"_s << 1 << QStringList{mid, u"16F84"_s, u"16F84A"_s}
                                  << u"16F84A"_s;
    QTest::newRow("both cores") << u"88"_s << 0
                                << QStringList{mid,         u"16F688"_s,  u"16F88"_s,   u"16F882"_s,
                                               u"16F883"_s, u"16F884"_s,  u"16F886"_s,  u"16F887"_s,
                                               enhanced,    u"16F1788"_s, u"16LF1788"_s}
                                << u"16F688"_s;
    QTest::newRow("no part") << u"xyz"_s << 1 << QStringList() << QString();
  }
  void FilterKeepsThePartsNamedAndEnterChoosesTheFirst() {
    QFETCH(QString, typed);
    QFETCH(int, down);
    QFETCH(QStringList, rows);
    QFETCH(QString, chosen);
    ProcessorDialog dialog("16F876");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* filter = dialog.findChild<QLineEdit*>(u"Filter"_s);
    QTest::keyClicks(filter, typed);
    for (int k = 0; k < down; ++k) QTest::keyClick(filter, Qt::Key_Down);
    QCOMPARE(ShownRows(dialog), rows);
    QCOMPARE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled(),
             !chosen.isEmpty());
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.Selected()), chosen);
  }

  // The settings keep the last part of each of the 200 most recent files.
  void SettingsKeepTheLastPartOfEachRecentFile() {
    QtPartMemory{}.Remember("/a/prog.hex", "16F1827");
    QtPartMemory{}.Remember("/a/other.hex", "16F84A");
    QtPartMemory{}.Remember("/a/prog.hex", "12F675");
    QtPartMemory memory;
    QCOMPARE(memory.PartFor("/a/prog.hex"), "12F675");
    QCOMPARE(memory.PartFor("/a/other.hex"), "16F84A");
    QCOMPARE(memory.PartFor("/a/prog"), "");
    QVERIFY(QFile::exists(settings_folder_.filePath(u"Tessarin/Tessarin.conf"_s)));

    for (int k = 0; k < 199; ++k) memory.Remember("/b/" + std::to_string(k) + ".hex", "16F876");
    QCOMPARE(memory.PartFor("/a/prog.hex"), "12F675");
    QCOMPARE(memory.PartFor("/a/other.hex"), "");
  }
};

}  // namespace
}  // namespace tessarin

QTEST_MAIN(tessarin::ProcessorDialogTest)
#include "processor_dialog_test.moc"
