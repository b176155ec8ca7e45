// Pictures of the main window at each step of its use:
//   tessarin-screenshot HEX_FILE STEP OUT.png [ZONE [LABEL]]
// STEP is one of open, label, zone, valider, save; each includes the steps
// before it: LABEL is the address (four hex digits) of the line whose label
// is removed, the first labelled line by default, and ZONE the zone typed.
// STEP about pictures the About box instead, STEP propose the window after
// "Proposer les zones de datas" with its report, STEP saved the window after
// "&Enregistrer" with its message, STEP symbolic the symbolic listing
// scrolled to the right end of its __CONFIG line, and STEP processor the
// processor dialog over the window, with ZONE typed in its filter. The HEX
// file is copied to a scratch folder first, so that the saved files land
// there. Run it on the offscreen platform or under a virtual X server.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include "pass/listing_line.h"
#include "ui/qt/about_box.h"
#include "ui/qt/appearance.h"
#include "ui/qt/form1.h"
#include "ui/qt/processor_dialog.h"

namespace tessarin {
namespace {

const QStringList kSteps = {QStringLiteral("open"), QStringLiteral("label"), QStringLiteral("zone"),
                            QStringLiteral("valider"), QStringLiteral("save")};
const QStringList kOtherSteps = {QStringLiteral("propose"), QStringLiteral("saved"),
                                 QStringLiteral("symbolic"), QStringLiteral("processor")};

// Messages go to standard error, and the last one is kept for a picture
// that shows it.
class StderrMessageBox : public MessageBox {
 public:
  void Show(std::string_view text, std::string_view title) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    last_text = QString::fromUtf8(text);
    last_title = QString::fromUtf8(title);
  }
  // A question is answered "Non": the screenshots write nothing.
  bool Ask(std::string_view text, std::string_view title) override {
    Show(text, title);
    return false;
  }
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override {
    Show(text, title);
    return Answer::kNo;
  }
  QString last_text;
  QString last_title;
};

// Every open dialog chooses the file given; a save dialog is cancelled.
class FixedFileDialog : public FileDialog {
 public:
  explicit FixedFileDialog(std::string path) : path_(std::move(path)) {}
  Choice ShowOpen(const std::string&, bool) override { return {Outcome::kChosen, path_}; }
  Choice ShowSave(const std::string&) override { return {Outcome::kCancelled, {}}; }

 private:
  std::string path_;
};

// The processor dialog is pictured, never answered: every showing cancels.
class CancelledProcessorChoice : public ProcessorChoice {
 public:
  std::optional<std::string> Show(std::string_view) override { return std::nullopt; }
};

// The first word line after the header that carries a label, at `address`
// when one is given.
int LabelledLine(const TextList& listing, const std::string& address) {
  for (int row = kHeaderLineCount; row < listing.Count(); ++row) {
    const ListingLine line(listing.Item(row));
    if (line.HasLabel() && (address.empty() || line.AddressField() == address)) return row;
  }
  return -1;
}

// The window as a desktop would show it: a plain title bar over the grab,
// and `popup` (an open menu), when given, where it stands over the window.
QImage Framed(QWidget& window, QWidget* popup = nullptr) {
  const QPixmap inside = window.grab();
  constexpr int kTitleHeight = 24;
  QImage picture(inside.width() + 2, inside.height() + kTitleHeight + 1, QImage::Format_RGB32);
  picture.fill(QColor(0, 0, 128));
  QPainter painter(&picture);
  painter.drawPixmap(2, 4, AppIcon().pixmap(16, 16));
  painter.setPen(Qt::white);
  painter.setFont(DesignFont(Face::kMsSansSerif, 9, true));
  painter.drawText(QRect(24, 0, picture.width() - 28, kTitleHeight), Qt::AlignVCenter,
                   window.windowTitle());
  painter.drawPixmap(1, kTitleHeight, inside);
  if (popup != nullptr) {
    painter.drawPixmap(QPoint(1, kTitleHeight) + window.mapFromGlobal(popup->pos()), popup->grab());
  }
  return picture;
}

int RunAbout(const QString& out) {
  StderrMessageBox message_box;
  EmptyRegistry registry;
  const auto tools = RealSystemTools();
  auto* about = new frmAbout(registry, *tools, message_box);
  about->show();
  if (!QTest::qWaitForWindowExposed(about)) return 1;
  const bool saved = Framed(*about).save(out);
  delete about;
  return saved ? 0 : 1;
}

// The window with `box` drawn as it would stand over the middle of the window.
QImage WithBox(Form1& form, QWidget& box) {
  box.show();
  QApplication::processEvents();
  QImage picture = Framed(form);
  const QImage framed_box = Framed(box);
  const QRect where((picture.width() - framed_box.width()) / 2,
                    (picture.height() - framed_box.height()) / 2, framed_box.width(),
                    framed_box.height());
  QPainter painter(&picture);
  painter.drawImage(where.topLeft(), framed_box);
  painter.setPen(Qt::black);
  painter.drawRect(where.adjusted(0, 0, -1, -1));
  return picture;
}

// The window with the last message shown over it.
QImage WithMessage(Form1& form, const StderrMessageBox& message_box) {
  QMessageBox box(QMessageBox::NoIcon, message_box.last_title, message_box.last_text,
                  QMessageBox::Ok, &form);
  return WithBox(form, box);
}

// The window with the processor dialog over it, `filter` typed.
QImage WithProcessorDialog(Form1& form, const SharedState& state, const QString& filter) {
  ProcessorDialog dialog(state.ProcessorName, &form);
  dialog.show();
  QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("Filter")), filter);
  return WithBox(form, dialog);
}

// The symbolic listing scrolled down to its __CONFIG line and right to its end.
void ShowConfigLineEnd(Form1& form, const TextList& listing) {
  form.findChild<QAction*>(QStringLiteral("menusymbolic"))->trigger();
  auto* list1 = form.findChild<QListView*>(QStringLiteral("List1"));
  for (int row = kHeaderLineCount; row < listing.Count(); ++row) {
    if (ListingLine(listing.Item(row)).Instruction().starts_with("__CONFIG")) {
      list1->scrollTo(list1->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    }
  }
  QApplication::processEvents();
  list1->horizontalScrollBar()->setValue(list1->horizontalScrollBar()->maximum());
  QApplication::processEvents();
}

// Step 2: removes the label of the line at `label` (the first labelled
// line when empty) by a double-click. False when there is no such line.
bool RemoveLabelAt(Form1& form, const SharedState& state, const QString& label) {
  const int row = LabelledLine(state.List1, label.toUpper().toStdString());
  if (row < 0) {
    std::fprintf(stderr, "no labelled line %s\n", qPrintable(label));
    return false;
  }
  auto* list1 = form.findChild<QListView*>(QStringLiteral("List1"));
  const QModelIndex index = list1->model()->index(row, 0);
  list1->scrollTo(index, QAbstractItemView::PositionAtCenter);
  // A click, then the second press as the platform reports it.
  const QPoint centre = list1->visualRect(index).center();
  QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseRelease(list1->viewport(), Qt::LeftButton, {}, centre);
  return true;
}

// The picture of a step that is not one of the steps of use: the window
// after "Proposer les zones de datas" or "&Enregistrer" with its message, the
// symbolic listing, or the processor dialog with `zone` typed in its filter.
QImage OtherStep(Form1& form, const SharedState& state, const StderrMessageBox& message_box,
                 const QString& step, const QString& zone) {
  if (step == u"propose" || step == u"saved") {
    form.findChild<QAction*>(step == u"propose" ? QStringLiteral("menuproposezones")
                                                : QStringLiteral("menuSave"))
        ->trigger();
    return WithMessage(form, message_box);
  }
  if (step == u"symbolic") {
    ShowConfigLineEnd(form, state.List1);
    return Framed(form);
  }
  return WithProcessorDialog(form, state, zone);
}

int Run(const QString& hex_file, const QString& step, const QString& out, const QString& zone,
        const QString& label) {
  if (step == u"about") return RunAbout(out);
  const qsizetype last_step = kSteps.indexOf(step);
  if (last_step < 0 && !kOtherSteps.contains(step)) {
    std::fprintf(stderr, "unknown step %s: one of %s, %s\n", qPrintable(step),
                 qPrintable(kSteps.join(u", ")), qPrintable(kOtherSteps.join(u", ")));
    return 2;
  }
  QTemporaryDir scratch;
  const QString copy = scratch.filePath(QFileInfo(hex_file).fileName());
  if (!QFile::copy(hex_file, copy)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(hex_file));
    return 1;
  }

  SharedState state;
  StderrMessageBox message_box;
  FixedFileDialog dialog(QFile::encodeName(copy).toStdString());
  QtClock clock;
  EmptyRegistry registry;
  const auto tools = RealSystemTools();
  CancelledProcessorChoice processor_choice;
  NoPartMemory parts;
  auto* form =
      new Form1(state, {message_box, dialog, clock, registry, *tools, processor_choice, parts});
  form->show();
  if (!QTest::qWaitForWindowExposed(form)) return 1;

  form->findChild<QAction*>(QStringLiteral("menuopen"))->trigger();
  if (last_step >= 1 && !RemoveLabelAt(*form, state, label)) return 1;
  if (last_step >= 2) {
    auto* text1 = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClicks(text1, zone);
    QTest::keyClick(text1, Qt::Key_Return);
  }
  if (last_step >= 3) {
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  }
  // The last step shows the file menu open on "&Enregistrer", which it then
  // chooses.
  QMenu* file_menu = nullptr;
  if (last_step >= 4) {
    file_menu = form->findChild<QMenu*>(QStringLiteral("menufile"));
    QMenuBar* bar = form->menuBar();
    file_menu->popup(bar->mapToGlobal(bar->actionGeometry(file_menu->menuAction()).bottomLeft()));
    file_menu->setActiveAction(form->findChild<QAction*>(QStringLiteral("menuSave")));
    QApplication::processEvents();
  }
  const QImage picture =
      last_step >= 0 ? Framed(*form, file_menu) : OtherStep(*form, state, message_box, step, zone);
  if (file_menu != nullptr) {
    file_menu->hide();
    form->findChild<QAction*>(QStringLiteral("menuSave"))->trigger();
  }
  const bool saved = picture.save(out);
  delete form;
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace tessarin

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 4 || args.size() > 6) {
    std::fprintf(
        stderr,
        "usage: %s HEX_FILE open|label|zone|valider|save|propose|saved|symbolic|processor|about "
        "OUT.png [ZONE [LABEL]]\n",
        argv[0]);
    return 2;
  }
  return tessarin::Run(args[1], args[2], args[3], args.value(4), args.value(5));
}
