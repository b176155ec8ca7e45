#include "ui/qt/about_box.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "testing/fakes.h"

namespace tessarin {
namespace {

using namespace Qt::StringLiterals;

// A registry that names the information tool by its PATH value.
class ToolRegistry : public Registry {
 public:
  bool OpenKey(uint32_t, const std::string& sub_key, Key& key) override {
    key = 1;
    return sub_key == "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  }
  bool QueryValue(Key, const std::string& name, uint32_t& type, std::string& buffer,
                  uint32_t& size) override {
    if (name != "PATH") return false;
    const std::string path = "C:\\msinfo32.exe";
    buffer.replace(0, path.size(), path);
    size = static_cast<uint32_t>(path.size());
    type = kRegString;
    return true;
  }
  void CloseKey(Key) override {}
};

class RecordingTools : public SystemTools {
 public:
  bool FileExists(const std::string&) override { return false; }
  bool StartProgram(const std::string& path) override {
    started.push_back(path);
    return true;
  }
  std::vector<std::string> started;
};

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  QPointer<frmAbout> Open(Registry& registry) {
    QPointer<frmAbout> about = new frmAbout(registry, tools_, message_box_);
    about->show();
    if (!QTest::qWaitForWindowActive(about)) qWarning("About box not active");
    return about;
  }

  EmptyRegistry empty_;
  RecordingTools tools_;
  testing::RecordingMessageBox message_box_;

 private slots:
  void init() {
    tools_.started.clear();
    message_box_.shown.clear();
  }

  void ShowsTheProgramAndItsVersion() {
    QPointer<frmAbout> about = Open(empty_);
    QCOMPARE(about->windowTitle(), u"À propos de Tessarin"_s);
    QCOMPARE(about->findChild<QLabel*>(u"lblTitle"_s)->text(), u"Tessarin"_s);
    QCOMPARE(about->findChild<QLabel*>(u"lblVersion"_s)->text(), u"Version 1.0.0"_s);
    QCOMPARE(about->findChild<QLabel*>(u"lblDescription"_s)->text(), u"Desassembleur PIC 16F876"_s);
    QCOMPARE(about->findChild<QPushButton*>(u"cmdSysInfo"_s)->text(), u"&Infos système..."_s);
    QCOMPARE(about->size(), QSize(382, 237));
    QVERIFY(!about->isModal());
    QVERIFY(!about->parent());
    QVERIFY(about->findChild<QPushButton*>(u"cmdOK"_s)->hasFocus());
    QVERIFY(!about->findChild<QLabel*>(u"picIcon"_s)->pixmap().isNull());
    delete about;
  }

  void EscapeClosesAndDestroysIt() {
    QPointer<frmAbout> about = Open(empty_);
    QTest::keyClick(about, Qt::Key_Escape);
    QTRY_VERIFY(about.isNull());
  }

  void EnterPressesOk() {
    QPointer<frmAbout> about = Open(empty_);
    QTest::keyClick(about->focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(about.isNull());
  }

  void EnterOnTheInfoButtonStartsTheTool() {
    ToolRegistry registry;
    QPointer<frmAbout> about = Open(registry);
    auto* sys_info = about->findChild<QPushButton*>(u"cmdSysInfo"_s);
    sys_info->setFocus();
    QTest::keyClick(sys_info, Qt::Key_Return);
    QCOMPARE(tools_.started, std::vector<std::string>{"C:\\msinfo32.exe"});
    QVERIFY(!about.isNull());  // the box stays open
    delete about;
  }

  void InfoButtonWithoutRegistryTellsTheUser() {
    QPointer<frmAbout> about = Open(empty_);
    QTest::mouseClick(about->findChild<QPushButton*>(u"cmdSysInfo"_s), Qt::LeftButton);
    QCOMPARE(message_box_.shown.size(), size_t{1});
    QCOMPARE(QString::fromStdString(message_box_.shown[0].text),
             u"Les informations système ne sont pas disponibles actuellement"_s);
    QCOMPARE(QString::fromStdString(message_box_.shown[0].title), u"Tessarin"_s);
    QVERIFY(tools_.started.empty());
    QVERIFY(about->isVisible());
    delete about;
  }
};

}  // namespace
}  // namespace tessarin

QTEST_MAIN(tessarin::AboutBoxTest)
#include "about_box_test.moc"
