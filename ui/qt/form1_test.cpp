#include "ui/qt/form1.h"

#include <qpa/qwindowsysteminterface.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>
#include <tuple>

#include "pass/listing_line.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "ui/qt/about_box.h"
#include "ui/qt/qt_services.h"
#include "ui/qt/translations.h"
#include "ui/qt/window_arguments.h"

namespace tessarin {
namespace {

using namespace Qt::StringLiterals;

// The worked example: four words, a GOTO to the third, the end record.
std::vector<std::string> SmallProgram() {
  return {testing::WordRecord(0, {0x1C0B, 0x3005, 0x2802, 0x0008}), testing::EndRecord()};
}

// A GOTO over a three-word text, then a RETURN.
std::vector<std::string> ProgramWithText() {
  return {testing::WordRecord(0, {0x2804, 0x3448, 0x3469, 0x3400, 0x0008}), testing::EndRecord()};
}

// What opening a file leaves in the state, for comparing two ways of opening.
auto WhatIsOpen(const SharedState& s) {
  return std::tuple(s.Caption, s.CommonDialog1.FileName, s.CommonDialog1.FileTitle, s.WorkingFolder,
                    s.List1.Items(), s.List3.Items(), s.List4.Items());
}

class Form1Test : public QObject {
  Q_OBJECT

 private:
  std::string WriteHex(const QString& name, const std::vector<std::string>& lines) {
    QFile file(dir_->filePath(name));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
    for (const std::string& line : lines) file.write((line + "\r\n").c_str());
    return QFile::encodeName(file.fileName()).toStdString();
  }

  // Opens `lines` as `name` through the menu and the scripted dialog.
  void Open(const QString& name, const std::vector<std::string>& lines) {
    dialog_.WillChoose(WriteHex(name, lines));
    Action("menuopen")->trigger();
  }

  // Opens tests/data/sample.hex, copied as `name`, through the menu.
  void OpenSample(const QString& name) {
    const QString copy = dir_->filePath(name);
    QVERIFY(QFile::copy(QStringLiteral(TESSARIN_TEST_DATA "/sample.hex"), copy));
    dialog_.WillChoose(QFile::encodeName(copy).toStdString());
    Action("menuopen")->trigger();
  }

  void TypeZone(const QString& zone) {
    QTest::keyClicks(Find<QLineEdit>("Text1"), zone);
    QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
  }

  // Drops the file `name` of the scratch folder on `window`.
  void Drop(QWidget& window, const QString& name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir_->filePath(name))});
    QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QCoreApplication::processEvents();  // the open waits until the drop is over
  }

  // The full path of the file `name` of the scratch folder, as the part
  // memory keys it.
  std::string PathOf(const QString& name) {
    return QFile::encodeName(dir_->filePath(name)).toStdString();
  }
  template <typename T = QWidget>
  T* Find(const char* name) {
    T* found = form_->findChild<T*>(QString::fromUtf8(name));
    if (!found) qFatal("no control %s", name);
    return found;
  }
  QAction* Action(const char* name) { return Find<QAction>(name); }
  QListView* List(const char* name) { return Find<QListView>(name); }

  QString Shown(const char* list, int row) {
    return List(list)->model()->index(row, 0).data().toString();
  }
  QStringList AllShown(const char* list) {
    QStringList rows;
    for (int row = 0; row < List(list)->model()->rowCount(); ++row) rows << Shown(list, row);
    return rows;
  }

  void DoubleClick(QListView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    // As a platform delivers it: a click, then the second press as a double-click.
    const QPoint centre = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, centre);
  }

  // Runs `answer` on the real modal dialog as soon as it is shown.
  template <typename Dialog>
  void WhenShown(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, this, [this, answer] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      dialog ? answer(*dialog) : WhenShown(answer);
    });
  }

  QList<frmAbout*> AboutBoxes() {
    QList<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* about = qobject_cast<frmAbout*>(widget)) boxes << about;
    }
    return boxes;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<SharedState> state_;
  testing::RecordingMessageBox message_box_;
  testing::ScriptedFileDialog dialog_;
  testing::FixedClock clock_;
  testing::ScriptedProcessorChoice processor_choice_;
  testing::RememberedParts parts_;
  EmptyRegistry registry_;
  std::unique_ptr<SystemTools> tools_ = RealSystemTools();
  QPointer<Form1> form_;

  WindowServices Services() {
    return {message_box_, dialog_, clock_, registry_, *tools_, processor_choice_, parts_};
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    state_ = std::make_unique<SharedState>();
    message_box_.shown.clear();
    dialog_ = testing::ScriptedFileDialog();
    processor_choice_ = testing::ScriptedProcessorChoice();
    parts_ = testing::RememberedParts();
    form_ = new Form1(*state_, Services());
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
  }

  void cleanup() {
    delete form_;
    qDeleteAll(AboutBoxes());
  }

  void StartsEmptyWithTheFocusInTheListing() {
    QCOMPARE(form_->windowTitle(), u"Tessarin"_s);
    for (const char* list : {"List1", "List2", "List3", "List4", "List5", "List6"}) {
      QCOMPARE(List(list)->model()->rowCount(), 0);
    }
    QCOMPARE(Find<QLineEdit>("Text1")->text(), QString());
    QTRY_COMPARE(QApplication::focusWidget(), List("List1"));
  }

  // The listing grows by what the client area gains over 792 x 541 and
  // never shrinks; every other control stays where it is.
  void ListingGrowsWithTheWindowAndTheRestStays_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("listing");
    QTest::newRow("design size") << QSize(792, 541) << QRect(0, 136, 793, 405);
    QTest::newRow("both") << QSize(1400, 1000) << QRect(0, 136, 1401, 864);
    QTest::newRow("wider, lower") << QSize(900, 400) << QRect(0, 136, 901, 405);
  }
  void ListingGrowsWithTheWindowAndTheRestStays() {
    QFETCH(QSize, client);
    QFETCH(QRect, listing);
    QWidget* area = form_->centralWidget();
    QCOMPARE(area->size(), QSize(792, 541));
    QCOMPARE(Find<QLineEdit>("Text1")->geometry(), QRect(8, 104, 129, 25));
    QList<QRect> before;
    const QList<QWidget*> controls =
        area->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) before << control->geometry();

    form_->resize(form_->size() + client - area->size());
    QTRY_COMPARE(area->size(), client);
    QCOMPARE(List("List1")->geometry(), listing);
    for (int k = 0; k < controls.size(); ++k) {
      if (controls[k] != List("List1")) QCOMPARE(controls[k]->geometry(), before[k]);
    }
  }

  void HiddenListsNeverShowNorTakeTheFocus() {
    form_->resize(1600, 1200);
    form_->showMaximized();
    QTest::qWait(0);
    for (const char* list : {"List2", "List5", "List6"}) {
      QVERIFY2(!List(list)->isVisible(), list);
      QCOMPARE(List(list)->focusPolicy(), Qt::NoFocus);
    }
  }

  void TabVisitsTheVisibleControlsInTheirOrder() {
    List("List1")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), List("List1"));
    QStringList visited;
    for (int k = 0; k < 6; ++k) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{u"Command1"_s, u"List3"_s, u"Text1"_s, u"List4"_s, u"Command2"_s,
                                   u"List1"_s}));
  }

  void ListsUseTheirDesignFonts() {
    QVERIFY(QFontInfo(List("List1")->font()).fixedPitch());
    QVERIFY(QFontInfo(List("List4")->font()).fixedPitch());
    QVERIFY(QFontInfo(List("List4")->font()).bold());
    QVERIFY(QFontInfo(Find<QPushButton>("Command1")->font()).bold());
    QVERIFY(!QFontInfo(Find<QLabel>("Label4")->font()).bold());
    QCOMPARE(Find<QLineEdit>("Text1")->font().pointSizeF(), 12.0);
  }

  void AccentedTextsShowAsWritten() {
    QCOMPARE(Find<QPushButton>("Command2")->text(), u"Ré-assembler"_s);
    QCOMPARE(Find<QPushButton>("Command1")->toolTip(),
             u"Ré-assembler en tenant compte des zones de datas"_s);
    QCOMPARE(Find<QLineEdit>("Text1")->toolTip(), u"Valider par \"Entrée\""_s);
    QCOMPARE(Find<QLabel>("Label8")->text(), u"5- Sauvegarder le source ainsi créé"_s);
  }

  void MenuHoldsTheFileCommandsAboutAndTheTools() {
    const QList<QAction*> bar = form_->menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0]->text(), u"&Fichier"_s);
    QCOMPARE(bar[1], Action("menuabout"));
    QCOMPARE(bar[1]->text(), u"&A propos ..."_s);
    QVERIFY(!bar[1]->menu());
    QCOMPARE(bar[2]->text(), u"&Outils"_s);
    const auto items = [](QMenu* menu) {
      QStringList texts;
      for (QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? u"-"_s
                                        : action->text() + u" "_s + action->shortcut().toString());
      }
      return texts;
    };
    QCOMPARE(items(bar[0]->menu()),
             (QStringList{u"&Ouvrir Ctrl+O"_s, u"&Enregistrer Ctrl+S"_s,
                          u"&Enregistrer sous ... Ctrl+A"_s, u"-"_s, u"&Quitter Ctrl+Q"_s}));
    QCOMPARE(items(bar[2]->menu()),
             (QStringList{u"Listing &symbolique "_s, u"&Processeur : 16F876 ... "_s, u"-"_s,
                          u"&Proposer les zones de datas "_s}));
    QVERIFY(Action("menusymbolic")->isCheckable() && !Action("menusymbolic")->isChecked());
    QCOMPARE(Action("menuprocessor")->toolTip(),
             u"Hors de la famille 16F87x, le listing est toujours symbolique."_s);
  }

  // Either choice runs the pass again in the chosen style and for the chosen
  // processor; the classic style comes back as it was.
  void ToolsMenuRelistsInTheChosenStyle() {
    Open(u"prog.hex"_s, SmallProgram());
    const QStringList classic = AllShown("List1");
    Action("menusymbolic")->trigger();
    QVERIFY(Action("menusymbolic")->isChecked());
    QCOMPARE(state_->List1.Item(3), "\tinclude \"p16f876.inc\"");
    QCOMPARE(state_->List1.Item(5), "0000  1C0B  ..       \tBTFSS\tINTCON,RBIF");
    processor_choice_.WillChoose("16F877A");
    Action("menuprocessor")->trigger();
    QCOMPARE(state_->List1.Item(3), "\tinclude \"p16f877a.inc\"");
    Action("menusymbolic")->trigger();
    QCOMPARE(AllShown("List1"), classic);
  }

  // The part chosen in the dialog lists the file again and is remembered for
  // it once listed; outside the PIC16F87x family the listing is symbolic
  // whatever the style chosen, and the check shows it and says why.
  void ProcessorDialogRelistsAndRemembers_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<QStringList>("answers");  // one a showing; empty: cancelled
    QTest::addColumn<QString>("part");         // the part the menu names after
    QTest::addColumn<QString>("include");      // the listing's include line
    QTest::addColumn<QString>("check");        // "Listing symbolique": off, on or forced
    QTest::addColumn<QString>("remembered");   // the part kept for prog.hex
    const QString classic = u"\tinclude \"P16F876.inc\""_s;
    QTest::newRow("enhanced part")
        << true << QStringList{u"16F1827"_s} << u"16F1827"_s << u"\tinclude \"p16f1827.inc\""_s
        << u"forced"_s << u"16F1827"_s;
    QTest::newRow("back in the family, the style chosen")
        << true << QStringList{u"16F1827"_s, u"16F876"_s} << u"16F876"_s << classic << u"off"_s
        << u"16F876"_s;
    QTest::newRow("cancelled") << true << QStringList{QString()} << u"16F876"_s << classic
                               << u"off"_s << QString();
    QTest::newRow("before any open") << false << QStringList{u"12F675"_s} << u"12F675"_s
                                     << u"\tinclude \"p12f675.inc\""_s << u"forced"_s << QString();
  }
  void ProcessorDialogRelistsAndRemembers() {
    QFETCH(bool, open);
    QFETCH(QStringList, answers);
    QFETCH(QString, part);
    QFETCH(QString, include);
    QFETCH(QString, check);
    QFETCH(QString, remembered);
    if (open) Open(u"prog.hex"_s, SmallProgram());
    for (const QString& answer : answers) {
      processor_choice_.WillChoose(answer.isEmpty() ? std::nullopt
                                                    : std::optional(answer.toStdString()));
      Action("menuprocessor")->trigger();
    }
    QCOMPARE(processor_choice_.shown_current.front(), "16F876");
    QCOMPARE(QString::fromStdString(state_->List1.Item(3)), include);
    QAction* symbolic = Action("menusymbolic");
    QCOMPARE(symbolic->isChecked() ? (symbolic->isEnabled() ? u"on"_s : u"forced"_s) : u"off"_s,
             check);
    QCOMPARE(symbolic->toolTip(), check == u"forced"
                                      ? u"Le "_s + part +
                                            u" est hors de la famille 16F87x : son listing est "
                                            "toujours symbolique."_s
                                      : u"Listing symbolique"_s);
    QCOMPARE(Action("menuprocessor")->text(), u"&Processeur : "_s + part + u" ..."_s);
    QCOMPARE(QString::fromStdString(parts_.PartFor(PathOf(u"prog.hex"_s))), remembered);
    QVERIFY(message_box_.shown.empty());
  }

  // After the pass, one message names the words the chosen part cannot
  // hold and the parts that hold them all.
  void WordsThePartCannotHoldAreNamed_data() {
    QTest::addColumn<QString>("part");  // chosen in the dialog
    QTest::addColumn<bool>("after");    // after the open, else before
    QTest::addColumn<std::vector<std::string>>("hex");
    QTest::addColumn<QStringList>("shown");  // the messages
    const QString head = u"Le fichier contient des mots que le %1 ne peut pas contenir :\n- "_s;
    const QString tail =
        u"\n\nProcesseurs qui contiennent toute l'image : %1 (Outils > Processeur)."_s;
    QTest::newRow("program past a 16F84A")
        << u"16F84A"_s << false
        << std::vector<std::string>{testing::WordRecord(0, {0x2800}),
                                    testing::WordRecord(0x400, {0x0008, 0x0008}),
                                    testing::EndRecord()}
        << QStringList{head.arg(u"16F84A"_s) +
                       u"au-delà de sa mémoire programme : 0400 (et 1 autre)"_s +
                       tail.arg(u"16F870, 16F871, 16F872, 16F882, 16F819"_s)};
    QTest::newRow("enhanced configuration, mid-range part: the open stops")
        << u"16F876"_s << false
        << std::vector<std::string>{testing::WordRecord(0, {0x3200}),
                                    testing::Record(0, 4, {0x00, 0x01}),
                                    testing::WordRecord(7, {0x3FE4}), testing::EndRecord()}
        << QStringList{
               u"Fichier HEX incorrect : désassemblage interrompu ! (ligne 2 : adresse "
               "hors de la puce)"_s,
               head.arg(u"16F876"_s) +
                   u"aux adresses d'ID, de configuration ou d'EEPROM du cœur milieu de "
                   "gamme amélioré : 8007"_s +
                   tail.arg(u"16F1503, 16F1507, 16F1512, 16F1613, 16F1703"_s)};
    QTest::newRow("EEPROM, a part without, chosen after")
        << u"16F73"_s << true
        << std::vector<std::string>{testing::WordRecord(0, {0x2800}),
                                    testing::WordRecord(0x2100, {0x0001, 0x0002}),
                                    testing::EndRecord()}
        << QStringList{head.arg(u"16F73"_s) +
                       u"dans l'EEPROM, qu'il n'a pas : 2100 (et 1 autre)"_s +
                       tail.arg(u"16F785, 16F83, 16F84, 16F84A, 16F627"_s)};
  }
  void WordsThePartCannotHoldAreNamed() {
    QFETCH(QString, part);
    QFETCH(std::vector<std::string>, hex);
    QFETCH(bool, after);
    QFETCH(QStringList, shown);
    processor_choice_.WillChoose(part.toStdString());
    if (after) Open(u"prog.hex"_s, hex);
    Action("menuprocessor")->trigger();
    if (!after) Open(u"prog.hex"_s, hex);
    QStringList messages;
    for (const auto& message : message_box_.shown) {
      QCOMPARE(message.title, "Tessarin");
      messages << QString::fromStdString(message.text);
    }
    QCOMPARE(messages, shown);
  }

  void ShortcutsRunTheirCommands_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("action");
    for (const QString& focus : {u"List1"_s, u"Text1"_s}) {
      QTest::addRow("Ctrl+O in %s", qPrintable(focus)) << focus << int(Qt::Key_O) << u"menuopen"_s;
      QTest::addRow("Ctrl+S in %s", qPrintable(focus)) << focus << int(Qt::Key_S) << u"menuSave"_s;
      QTest::addRow("Ctrl+A in %s", qPrintable(focus))
          << focus << int(Qt::Key_A) << u"menusaveas"_s;
    }
  }
  void ShortcutsRunTheirCommands() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, action);
    QWidget* target = form_->findChild<QWidget*>(focus);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QSignalSpy triggered(form_->findChild<QAction*>(action), &QAction::triggered);
    QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
  }

  // Every line of the listing is as wide as its text, in either style, so a
  // line wider than the view scrolls into sight whole: nothing is cut.
  void WideLinesScrollIntoSightWhole() {
    OpenSample(u"sample.hex"_s);
    QListView* list1 = List("List1");
    for (const bool symbolic : {false, true}) {
      if (symbolic) Action("menusymbolic")->trigger();
      QCoreApplication::processEvents();
      for (int row = 0; row < list1->model()->rowCount(); ++row) {
        QCOMPARE_GE(list1->visualRect(list1->model()->index(row, 0)).width(),
                    list1->fontMetrics().horizontalAdvance(Shown("List1", row)));
      }
      // The symbolic __CONFIG line is wider than the view.
      QCOMPARE(list1->horizontalScrollBar()->maximum() > 0, symbolic);
    }
  }

  // The source and the companion file take the HEX file's name without its
  // extension, whatever its length; once both are written, a source that
  // will not give back the image says so, and the listing stays as it is.
  void SaveNamesTheFilesAndSaysWhenTheSourceIsNotExact_data() {
    QTest::addColumn<QString>("hex");
    QTest::addColumn<bool>("symbolic");
    QTest::addColumn<QString>("zones");    // typed, or "Proposer"; then Valider
    QTest::addColumn<QString>("message");  // after the save; empty for none
    const QString message =
        u"Le source enregistré ne redonnera pas exactement le fichier HEX : "
        "%1. Pour un source exact : Outils > Proposer les zones de datas, "
        "puis Valider, ou Outils > Listing symbolique."_s;
    QTest::newRow("classic") << u"sample.hex"_s << false << QString()
                             << message.arg(u"adresses 002D (et 1 autre)"_s);
    QTest::newRow("classic, 002D a zone")
        << u"sample.ihx"_s << false << u"002D 002D"_s << message.arg(u"adresse 2007"_s);
    QTest::newRow("classic, proposals") << u"sample.ihex"_s << false << u"Proposer"_s << QString();
    QTest::newRow("symbolic, no extension") << u"sample"_s << true << QString() << QString();
  }
  void SaveNamesTheFilesAndSaysWhenTheSourceIsNotExact() {
    QFETCH(QString, hex);
    QFETCH(bool, symbolic);
    QFETCH(QString, zones);
    QFETCH(QString, message);
    OpenSample(hex);
    if (symbolic) Action("menusymbolic")->trigger();
    if (zones == u"Proposer") {
      Action("menuproposezones")->trigger();
    } else if (!zones.isEmpty()) {
      TypeZone(zones);
    }
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    const QStringList listing = AllShown("List1");
    message_box_.shown.clear();

    QTest::keyClick(List("List1"), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(dir_->filePath(u"sample.asm"_s)));
    QVERIFY(QFile::exists(dir_->filePath(u"sample.dat"_s)));
    QCOMPARE(AllShown("List1"), listing);
    QCOMPARE(message_box_.shown.size(), size_t(message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
      QCOMPARE(QString::fromStdString(message_box_.shown[0].text), message);
      QCOMPARE(message_box_.shown[0].title, "Tessarin");
    }
  }

  // Zones or labels changed since the last open or save are not lost by
  // quitting or opening another file: one question, whose "Oui" saves,
  // "Non" goes on and "Annuler" goes back.
  void ChangesAreNotLostOnQuitOrOpen_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<int>("answer");  // a MessageBox::Answer; -1 when nothing is asked
    QTest::addColumn<bool>("left");   // the window closed, or the other file open
    QTest::addColumn<bool>("saved");  // prog.asm written
    const int yes = int(MessageBox::Answer::kYes);
    const int no = int(MessageBox::Answer::kNo);
    const int cancel = int(MessageBox::Answer::kCancel);
    QTest::newRow("nothing changed") << u"none"_s << u"Ctrl+Q"_s << -1 << true << false;
    QTest::newRow("zone typed, Annuler") << u"type"_s << u"Ctrl+Q"_s << cancel << false << false;
    QTest::newRow("zone removed, Non") << u"remove"_s << u"close"_s << no << true << false;
    QTest::newRow("label removed, Oui") << u"label"_s << u"menu"_s << yes << true << true;
    QTest::newRow("proposed, open, Annuler")
        << u"propose"_s << u"open"_s << cancel << false << false;
    QTest::newRow("Valider, drop, Oui") << u"valider"_s << u"drop"_s << yes << true << true;
    QTest::newRow("zone typed, open, Non") << u"type"_s << u"open"_s << no << true << false;
    QTest::newRow("saved since") << u"save"_s << u"Ctrl+Q"_s << -1 << true << true;
    QTest::newRow("opened since") << u"reopen"_s << u"close"_s << -1 << true << false;
  }
  void ChangesAreNotLostOnQuitOrOpen() {
    QFETCH(QString, change);
    QFETCH(QString, leave);
    QFETCH(int, answer);
    QFETCH(bool, left);
    QFETCH(bool, saved);
    WriteHex(u"prog.dat"_s, {"0001 0002"});
    WriteHex(u"other.hex"_s, SmallProgram());
    std::vector<std::string> program = SmallProgram();
    program.insert(program.end() - 1, testing::WordRecord(0x2007, {0x3F72}));
    Open(u"prog.hex"_s, program);
    if (change == u"type" || change == u"save" || change == u"reopen") TypeZone(u"0010 0020"_s);
    if (change == u"remove") DoubleClick(List("List4"), 0);
    if (change == u"label") DoubleClick(List("List1"), 7);
    if (change == u"propose") Action("menuproposezones")->trigger();
    if (change == u"valider") QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    if (change == u"save") Action("menuSave")->trigger();
    message_box_.choices = {MessageBox::Answer::kNo};
    if (change == u"reopen") Open(u"prog.hex"_s, program);
    message_box_.shown.clear();
    message_box_.choices = {MessageBox::Answer(answer)};

    dialog_.WillChoose(QFile::encodeName(dir_->filePath(u"other.hex"_s)).toStdString());
    if (leave == u"Ctrl+Q") QTest::keyClick(List("List1"), Qt::Key_Q, Qt::ControlModifier);
    if (leave == u"menu") Action("menuexit")->trigger();
    if (leave == u"close") form_->close();
    if (leave == u"open") Action("menuopen")->trigger();
    if (leave == u"drop") Drop(*form_, u"other.hex"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const bool asked = !message_box_.shown.empty() && message_box_.shown[0].question;
    QCOMPARE(asked ? message_box_.shown[0].text : "-",
             answer < 0 ? "-" : "Enregistrer les modifications de prog.asm ?");
    QCOMPARE(QFile::exists(dir_->filePath(u"prog.asm"_s)), saved);
    const bool opening = leave == u"open" || leave == u"drop";
    QCOMPARE(opening ? state_->CommonDialog1.FileTitle == "other.hex" : form_.isNull(), left);
  }

  void EnterAddsTheTypedZoneInOrder() {
    auto* text1 = Find<QLineEdit>("Text1");
    text1->setFocus();
    QTest::keyClicks(text1, u"0100 0120"_s);
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(text1->text(), QString());
    QTest::keyClicks(text1, u"0001 00f2"_s);
    QTest::keyClick(text1, Qt::Key_Enter);
    QCOMPARE(text1->text(), QString());
    QCOMPARE(AllShown("List4"), (QStringList{u"0001 00F2"_s, u"0100 0120"_s}));
  }

  void DoubleClickRemovesAZone() {
    auto* text1 = Find<QLineEdit>("Text1");
    for (const QString& zone : {u"0001 0002"_s, u"0010 0020"_s, u"0030 0040"_s}) {
      QTest::keyClicks(text1, zone);
      QTest::keyClick(text1, Qt::Key_Return);
    }
    DoubleClick(List("List4"), 1);
    QCOMPARE(AllShown("List4"), (QStringList{u"0001 0002"_s, u"0030 0040"_s}));
  }

  void DoubleClickRemovesALabelAndKeepsTheScrollPosition() {
    Open(u"full.hex"_s, testing::FullImage());
    QListView* list1 = List("List1");
    int row = 4000;
    while (ListingLine(state_->List1.Item(row)).LabelField() == "     ") ++row;
    list1->scrollTo(list1->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    const int scrolled = list1->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    const QString before = Shown("List1", row);

    DoubleClick(list1, row);
    QCOMPARE(state_->List1.SelectedIndex(), row);
    QCOMPARE(Shown("List1", row), before.left(16) + QString(5, u' ') + before.mid(21));
    QCoreApplication::processEvents();  // lets the view lay itself out again
    QCOMPARE(list1->verticalScrollBar()->value(), scrolled);
    QCOMPARE(list1->selectionModel()->selectedIndexes().value(0).row(), row);
  }

  // The strong proposals join the zone list beside a typed zone, the report
  // names the first weak ones, and only Valider changes the listing.
  void ProposeZonesEntersTheStrongOnesAndReports() {
    std::vector<std::string> lines = {testing::WordRecord(0, {0x2800}),
                                      testing::WordRecord(0x2007, {0x3F72})};
    for (unsigned address = 0x10; address <= 0x70; address += 0x10) {
      lines.push_back(testing::WordRecord(address, {0x0000}));  // unreached: weak
    }
    lines.push_back(testing::EndRecord());
    Open(u"prog.hex"_s, lines);
    QTest::keyClicks(Find<QLineEdit>("Text1"), u"0010 0010"_s);
    QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    const QStringList opened = AllShown("List1");
    Action("menuproposezones")->trigger();
    QCOMPARE(AllShown("List4"), (QStringList{u"0010 0010"_s, u"2007 2007"_s}));
    QCOMPARE(AllShown("List1"), opened);
    const std::string weak = "  code jamais atteint depuis les vecteurs\n";
    QCOMPARE(message_box_.shown.size(), size_t{1});
    QCOMPARE(message_box_.shown[0].title, "Tessarin");
    QCOMPARE(message_box_.shown[0].text,
             "1 zone de datas ajoutée : appuyer sur Valider pour l'appliquer.\n\n"
             "Zones possibles (faibles), à saisir si elles conviennent :\n0020 0020" +
                 weak + "0030 0030" + weak + "0040 0040" + weak + "0050 0050" + weak + "0060 0060" +
                 weak + "(et 1 autre)");
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(AllShown("List1").filter(u"DW   0x3F72"_s).size(), 1);
  }

  void ValiderTurnsZonesIntoDataWords() {
    Open(u"text.hex"_s, ProgramWithText());
    QTest::keyClicks(Find<QLineEdit>("Text1"), u"0001 0003"_s);
    QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(AllShown("List1").contains(u"0001  3448"_s + QString(14, u' ') +
                                       u"DW   0x3448,0x3469,0x3400"_s + QString(35, u' ') +
                                       u"; Hi."_s));
    QCOMPARE(AllShown("List4"), QStringList{u"0001 0003"_s});
    QVERIFY(message_box_.shown.empty());

    // Zones that cannot be applied stay listed and are named once the
    // listing is rebuilt.
    for (const QString& zone : {u"0030 0040"_s, u"0002 0003"_s}) {
      QTest::keyClicks(Find<QLineEdit>("Text1"), zone);
      QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    }
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(AllShown("List4"), (QStringList{u"0001 0003"_s, u"0002 0003"_s, u"0030 0040"_s}));
    QCOMPARE(message_box_.shown.size(), size_t{1});
    QCOMPARE(QString::fromStdString(message_box_.shown[0].text),
             u"Zones non appliquées : 0002 0003, 0030 0040"_s);
    QCOMPARE(message_box_.shown[0].title, std::string("Tessarin"));
  }

  void ReassembleRestoresTheListing() {
    Open(u"prog.hex"_s, SmallProgram());
    const QStringList opened = AllShown("List1");
    DoubleClick(List("List1"), 7);
    QVERIFY(AllShown("List1") != opened);
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(AllShown("List1"), opened);
    QCOMPARE(AllShown("List3"), QStringList{u"W0002"_s});
  }

  // While the pass lets the window repaint, a click that arrives must wait
  // until the pass is over, or its command would run on half-built lists.
  void UserInputWaitsUntilThePassEnds() {
    Open(u"prog.hex"_s, SmallProgram());
    const int full_listing = state_->List1.Count();
    auto* command1 = Find<QPushButton>("Command1");
    int listing_when_clicked = -1;
    connect(command1, &QPushButton::clicked, this,
            [&] { listing_when_clicked = state_->List1.Count(); });

    // Queue a click on "Valider" as the platform would, then start the pass
    // directly, without the event loop running in between.
    QWindow* window = form_->windowHandle();
    const QPointF local = command1->mapTo(form_, QPointF(command1->rect().center()));
    const QPointF global = form_->mapToGlobal(local);
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    Find<QPushButton>("Command2")->click();

    QCOMPARE(listing_when_clicked, -1);
    QTRY_COMPARE(listing_when_clicked, full_listing);
  }

  void AboutTwiceGivesOneBox() {
    Action("menuabout")->trigger();
    QTRY_COMPARE(AboutBoxes().size(), 1);
    QPointer<frmAbout> first = AboutBoxes().first();
    QVERIFY(first->isVisible());
    Action("menuabout")->trigger();
    QCOMPARE(AboutBoxes().size(), 1);
    QCOMPARE(AboutBoxes().first(), first.data());
    QVERIFY(form_->isEnabled());

    first->close();
    QTRY_VERIFY(first.isNull());
    Action("menuabout")->trigger();
    QCOMPARE(AboutBoxes().size(), 1);
  }

  void QuitLeavesTheAboutBoxOpen() {
    Action("menuabout")->trigger();
    QTRY_COMPARE(AboutBoxes().size(), 1);
    QTest::keyClick(List("List1"), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(form_.isNull());
    QCOMPARE(AboutBoxes().size(), 1);
    QVERIFY(AboutBoxes().first()->isVisible());
  }

  void ModelsStayConsistentThroughTheCommands() {
    for (const char* name : {"List1", "List3", "List4"}) {
      new QAbstractItemModelTester(
          List(name)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, List(name));
    }
    Open(u"text.hex"_s, ProgramWithText());
    QTest::keyClicks(Find<QLineEdit>("Text1"), u"0001 0003"_s);
    QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    DoubleClick(List("List1"), 9);
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    DoubleClick(List("List4"), 0);
    QCOMPARE(List("List4")->model()->rowCount(), 0);
  }

  void DeleteKeyRemovesWhatADoubleClickRemoves() {
    Open(u"prog.hex"_s, SmallProgram());
    for (const QString& zone : {u"0001 0002"_s, u"0010 0020"_s}) {
      QTest::keyClicks(Find<QLineEdit>("Text1"), zone);
      QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    }
    const QStringList opened = AllShown("List1");
    QTest::keyClick(List("List1"), Qt::Key_Delete);  // nothing selected yet
    QCOMPARE(AllShown("List1"), opened);
    for (auto [list, row] : {std::pair{"List1", 7}, std::pair{"List4", 0}}) {
      List(list)->setFocus();
      List(list)->setCurrentIndex(List(list)->model()->index(row, 0));
      QTest::keyClick(List(list), Qt::Key_Delete);
    }
    QCOMPARE(Shown("List1", 7), opened[7].left(16) + QString(5, u' ') + opened[7].mid(21));
    QCOMPARE(AllShown("List4"), QStringList{u"0010 0020"_s});
  }

  void FocusShowsInEveryListEvenEmpty() {
    for (const char* name : {"List1", "List3", "List4"}) {
      QListView* list = List(name);
      Find<QLineEdit>("Text1")->setFocus();
      QTRY_VERIFY(!list->hasFocus());
      const QImage unfocused = list->grab().toImage();
      list->setFocus();
      QTRY_VERIFY(list->hasFocus());
      QVERIFY2(list->grab().toImage() != unfocused, name);
    }
  }

  // The same file, with a zone in its companion file and a part last chosen
  // for it, opened through the menu in one window and the row's way in
  // another: both end the same, listed for that part.
  void FileArgumentAndDropOpenAsTheMenuDoes_data() {
    QTest::addColumn<bool>("dropped");
    QTest::newRow("command line") << false;
    QTest::newRow("dropped") << true;
  }
  void FileArgumentAndDropOpenAsTheMenuDoes() {
    QFETCH(bool, dropped);
    WriteHex(u"text.dat"_s, {"0001 0003"});
    parts_.Remember(PathOf(u"text.hex"_s), "16F1827");
    Open(u"text.hex"_s, ProgramWithText());
    const auto by_menu = WhatIsOpen(*state_);
    QCOMPARE(state_->List4.Count(), 1);
    QCOMPARE(state_->List1.Item(3), "\tinclude \"p16f1827.inc\"");

    SharedState state;
    Form1 second(state, Services());
    second.show();
    if (dropped) {
      const QUrl url = QUrl::fromLocalFile(dir_->filePath(u"text.hex"_s));
      QMimeData data;
      for (const QList<QUrl>& urls : {QList<QUrl>{url, url}, QList<QUrl>{url}}) {
        data.setUrls(urls);  // two files are refused, one is taken
        QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&second, &enter);
        QCOMPARE(enter.isAccepted(), urls.size() == 1);
      }
      QDropEvent drop({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&second, &drop);
      QTRY_COMPARE(second.windowTitle(), u"Tessarin [text.hex]"_s);
    } else {
      // Named relative to the folder the program starts in.
      const QString started_in = QDir::currentPath();
      QDir::setCurrent(dir_->path());
      second.OpenPath(ParseWindowArguments({"text.hex"}).file);
      QDir::setCurrent(started_in);
    }
    QVERIFY(WhatIsOpen(state) == by_menu);
    QCOMPARE(second.windowTitle(), u"Tessarin [text.hex]"_s);
    QCOMPARE(dialog_.showings.size(), size_t{1});
    QVERIFY(message_box_.shown.empty());
  }

  void RealSaveDialogIsFrenchOverTheWindowAndAddsAsm() {
    QVERIFY(LoadToolkitFrench(*QCoreApplication::instance()));
    QStringList seen;
    WhenShown<QFileDialog>([&](QFileDialog& shown) {
      seen = shown.nameFilters();
      seen << shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
      QCOMPARE(shown.parentWidget(), form_.data());
      shown.findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"result"_s);
      QTest::keyClick(shown.findChild<QLineEdit*>(u"fileNameEdit"_s), Qt::Key_Return);
    });
    QtFileDialog dialog;
    const std::string chosen =
        dialog.ShowSave(QFile::encodeName(dir_->filePath(u"prog.asm"_s)).toStdString()).path;
    QCOMPARE(seen, (QStringList{u"Source assembleur (*.asm)"_s, u"Tous les fichiers (*)"_s,
                                u"Annuler"_s}));
    QCOMPARE(QFile::decodeName(chosen.c_str()), dir_->filePath(u"result.asm"_s));
  }

  // What an open dialog lists (sorted), once every column shows whole.
  void ListedWithWholeColumns(QFileDialog& shown, QStringList& listed) {
    auto* tree = shown.findChild<QTreeView*>(u"treeView"_s);
    QHeaderView* header = tree->header();
    const QAbstractItemView* entries = tree;
    QTRY_VERIFY(tree->model()->rowCount(tree->rootIndex()) > 0 &&
                header->length() <= tree->viewport()->width());
    for (int column = 1; column < header->count(); ++column) {
      QCOMPARE_GE(header->sectionSize(column), header->sectionSizeHint(column));
      QCOMPARE_GE(header->sectionSize(column), entries->sizeHintForColumn(column));
    }
    for (int row = 0; row < tree->model()->rowCount(tree->rootIndex()); ++row) {
      listed << tree->model()->index(row, 0, tree->rootIndex()).data().toString();
    }
    listed.sort();
  }

  // The open dialog lists HEX files by any of their names, and its detail
  // view shows every column whole from its first showing.
  void RealOpenDialogShowsEveryHexNameAndWholeColumns() {
    for (const QString& name : {u"a.hex"_s, u"b.ihx"_s, u"c.ihex"_s, u"notes.txt"_s}) {
      WriteHex(name, {});
    }
    QStringList filters;
    QStringList listed;
    WhenShown<QFileDialog>([&](QFileDialog& shown) {
      filters = shown.nameFilters();
      ListedWithWholeColumns(shown, listed);
      shown.reject();
    });
    QtFileDialog dialog;
    dialog.ShowOpen(QFile::encodeName(dir_->path()).toStdString(), true);
    QCOMPARE(filters,
             (QStringList{u"Fichiers HEX (*.hex *.ihx *.ihex)"_s, u"Tous les fichiers (*)"_s}));
    QCOMPARE(listed, (QStringList{u"a.hex"_s, u"b.ihx"_s, u"c.ihex"_s}));
  }

  void SelectionFollowsTheView() {
    Open(u"prog.hex"_s, SmallProgram());
    QListView* list1 = List("List1");
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {},
                      list1->visualRect(list1->model()->index(6, 0)).center());
    QCOMPARE(state_->List1.SelectedIndex(), 6);
    QTest::keyClick(list1, Qt::Key_Down);
    QCOMPARE(state_->List1.SelectedIndex(), 7);
  }
};

}  // namespace
}  // namespace tessarin

QTEST_MAIN(tessarin::Form1Test)
#include "form1_test.moc"
