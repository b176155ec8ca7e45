#include "ui/qt/text_list_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace tessarin {
namespace {

using namespace Qt::StringLiterals;

class TextListModelTest : public QObject {
  Q_OBJECT

 private slots:
  void DisplayText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain") << QByteArray("W0005") << u"W0005"_s;
    QTest::newRow("word line") << QByteArray("0002  2802  (.  W0002\tGOTO\tW0002")
                               << u"0002  2802  (.  W0002   GOTO    W0002"_s;
    QTest::newRow("header") << QByteArray("\tLIST\tP=16F876, F=INHX8M")
                            << u"        LIST    P=16F876, F=INHX8M"_s;
    QTest::newRow("tab on a stop") << QByteArray("12345678\tx") << u"12345678        x"_s;
    QTest::newRow("end line") << QByteArray(21, ' ') + "\tend" << QString(24, u' ') + u"end"_s;

    QTest::newRow("high bytes") << QByteArray("\x80 \xE9 \x99") << u"€ é ™"_s;
    QTest::newRow("undefined byte") << QByteArray("\x81") << u"\u0081"_s;
  }
  void DisplayText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(tessarin::DisplayText(
                 std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))),
             shown);
  }

  void ShowsTheListAndFollowsItsChanges() {
    TextList list(true);
    TextListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.BeginReload();
    list.Add("X0805");
    list.Add("W0005");
    model.EndReload();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(0).data().toString(), u"W0005"_s);
    QCOMPARE(model.index(1).data().toString(), u"X0805"_s);
    QVERIFY(!model.index(0).data(Qt::EditRole).isValid());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    list.Replace(1, "     ");
    model.LineChanged(1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), 1);
    QCOMPARE(model.index(1).data().toString(), u"     "_s);

    model.LineChanged(-1);  // no selected line: nothing to tell
    QCOMPARE(changed.count(), 1);

    model.BeginReload();
    list.Clear();
    model.EndReload();
    QCOMPARE(model.rowCount(), 0);
  }
};

}  // namespace
}  // namespace tessarin

QTEST_MAIN(tessarin::TextListModelTest)
#include "text_list_model_test.moc"
