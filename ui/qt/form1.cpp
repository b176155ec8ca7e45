#include "ui/qt/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "files/commands.h"
#include "files/inexact_words.h"
#include "processors/processor.h"
#include "proposals/proposal_entry.h"
#include "symbolic/symbolic_words.h"
#include "ui/cp1252.h"
#include "ui/qt/about_box.h"
#include "ui/qt/appearance.h"
#include "ui/qt/list_box.h"
#include "ui/qt/text_list_model.h"
#include "ui/qt/window_texts.h"
#include "zones/apply_data_zones.h"
#include "zones/remove_label.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

enum class Kind { kList, kHiddenList, kButton, kTextBox, kLabel };
// The font of a control: the window's own, or one of its own.
enum class FontOf { kWindow, kSans, kCourier, kCourierBold, kArialBold };

struct Control {
  const char* name;
  Kind kind;
  int left, top, width, height;  // twips
  const char* text;
  const char* tooltip;
  FontOf font;
  bool title_text_background;  // the inactive title bar's text colour
  bool centred;
};

// In tab order.
constexpr Control kControls[] = {
    // clang-format off
    {"List1",    Kind::kList,       0,     2040, 11895, 6075, "", "Double-click pour effacer l'étiquette", FontOf::kCourier, false, false},
    {"List2",    Kind::kHiddenList, 10080, 720,  255,   1035, "", "", FontOf::kWindow, false, false},
    {"Command1", Kind::kButton,     3480,  1680, 1695,  255,  "Valider", "Ré-assembler en tenant compte des zones de datas", FontOf::kWindow, false, false},
    {"List3",    Kind::kList,       10560, 720,  1095,  1035, "", "Liste des étiquettes", FontOf::kCourier, true, false},
    {"Text1",    Kind::kTextBox,    120,   1560, 1935,  375,  "", "Valider par \"Entrée\"", FontOf::kArialBold, true, false},
    {"Label1",   Kind::kLabel,      120,   1080, 1935,  390,  "Saisir ici les zones de Datas (Ex: 0001 00F2)", "", FontOf::kSans, false, false},
    {"List4",    Kind::kList,       3480,  240,  1695,  1395, "", "Double-click pour effacer un élément", FontOf::kCourierBold, true, false},
    {"Label2",   Kind::kLabel,      3480,  0,    1620,  195,  "Zones de Datas", "", FontOf::kSans, false, true},
    {"Label3",   Kind::kLabel,      10560, 480,  870,   195,  "Etiquettes", "", FontOf::kWindow, false, false},
    {"List5",    Kind::kHiddenList, 10320, 720,  255,   1035, "", "", FontOf::kWindow, false, false},
    {"Command2", Kind::kButton,     5520,  1680, 1335,  255,  "Ré-assembler", "Revenir au début", FontOf::kWindow, false, false},
    {"List6",    Kind::kHiddenList, 9840,  720,  255,   1035, "", "", FontOf::kWindow, false, false},
    {"Label4",   Kind::kLabel,      7200,  480,  2535,  255,  "1- Ouvrir le fichier .HEX", "", FontOf::kSans, false, false},
    {"Label5",   Kind::kLabel,      7200,  720,  2535,  255,  "2- Oter les étiquettes inutiles", "", FontOf::kSans, false, false},
    {"Label6",   Kind::kLabel,      7200,  960,  2535,  255,  "3- Définir les zones de datas", "", FontOf::kSans, false, false},
    {"Label7",   Kind::kLabel,      7200,  1200, 2535,  255,  "4- Valider les zones de datas", "", FontOf::kSans, false, false},
    {"Label8",   Kind::kLabel,      7200,  1440, 2535,  255,  "5- Sauvegarder le source ainsi créé", "", FontOf::kSans, false, false},
    // clang-format on
};

constexpr int kClientWidth = TwipsToPixels(11880);
constexpr int kClientHeight = TwipsToPixels(8115);
constexpr QPoint kDesignPosition(TwipsToPixels(2025), TwipsToPixels(2100));

QFont FontFor(FontOf font) {
  switch (font) {
    case FontOf::kWindow:
      return DesignFont(Face::kMsSansSerif, 8.25, true);
    case FontOf::kSans:
      return DesignFont(Face::kMsSansSerif, 8.25, false);
    case FontOf::kCourier:
      return DesignFont(Face::kCourier, 9.75, false);
    case FontOf::kCourierBold:
      return DesignFont(Face::kCourier, 9.75, true);
    case FontOf::kArialBold:
      return DesignFont(Face::kArial, 12, true);
  }
  return {};
}

// "List3" gives 2: the index of the list in the window's array.
int ListIndex(const char* name) { return name[4] - '1'; }

// The listing takes whatever the client area gains over its design size; it
// never shrinks below its design rectangle, so a smaller window cuts it off
// as before. The other controls never move.
QRect ListingGeometry(QSize client) {
  const Control& list1 = kControls[0];
  const QRect design = TwipsRect(list1.left, list1.top, list1.width, list1.height);
  const QSize gained(std::max(0, client.width() - kClientWidth),
                     std::max(0, client.height() - kClientHeight));
  return QRect(design.topLeft(), design.size() + gained);
}

// The one local file that a drag carries, in the file system's encoding.
std::optional<std::string> DraggedFile(const QMimeData* data) {
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return std::nullopt;
  return QFile::encodeName(urls[0].toLocalFile()).toStdString();
}

}  // namespace

Form1::Form1(SharedState& state, WindowServices services, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      services_(services),
      toolkit_{.message_box = services.message_box,
               .yield = yield_,
               .clock = services.clock,
               .dialog = services.dialog,
               .processor_choice = services.processor_choice,
               .parts = services.parts},
      lists_{&state.List1, &state.List2, &state.List3, &state.List4, &state.List5, &state.List6} {
  setObjectName(QStringLiteral("Form1"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(AppIcon());
  setWindowTitle(QString::fromUtf8(state_.Caption));
  setAcceptDrops(true);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFont(FontFor(FontOf::kWindow));
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, InactiveTitleBarColor(palette));
  client->setPalette(palette);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  BuildControls(client);
  BuildMenu();
  ShowChoices();

  // Nothing is laid out but the listing, which grows with the window
  // (see `eventFilter`); a smaller window cuts the controls off.
  client->installEventFilter(this);
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  move(kDesignPosition);
  views_[0]->setFocus();
}

Form1::~Form1() = default;

void Form1::BuildControls(QWidget* client) {
  QWidget* previous = nullptr;
  for (const Control& control : kControls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case Kind::kList:
      case Kind::kHiddenList: {
        const int index = ListIndex(control.name);
        widget = BindList(index, *lists_[static_cast<size_t>(index)]);
        break;
      }
      case Kind::kButton:
        widget = new QPushButton(QString::fromUtf8(control.text));
        break;
      case Kind::kTextBox:
        widget = text1_ = new QLineEdit;
        break;
      case Kind::kLabel: {
        auto* label = new QLabel(QString::fromUtf8(control.text));
        // A label as tall as two lines wraps its text; a one-line label keeps
        // to one line, as the fallback fonts run a little wider than the
        // design's and would push its end onto a second, hidden line.
        label->setWordWrap(TwipsToPixels(control.height) >=
                           2 * QFontMetrics(FontFor(control.font)).lineSpacing());
        label->setAlignment(Qt::AlignTop | (control.centred ? Qt::AlignHCenter : Qt::AlignLeft));
        widget = label;
        break;
      }
    }
    widget->setParent(client);
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(TwipsRect(control.left, control.top, control.width, control.height));
    if (*control.tooltip) widget->setToolTip(QString::fromUtf8(control.tooltip));
    if (control.font != FontOf::kWindow) widget->setFont(FontFor(control.font));
    if (control.title_text_background) {
      QPalette palette = widget->palette();
      palette.setColor(QPalette::Base, InactiveTitleBarTextColor(palette));
      widget->setPalette(palette);
    }
    if (control.kind == Kind::kHiddenList) {
      // Work lists of the passes: never shown, never in the tab chain.
      widget->setFocusPolicy(Qt::NoFocus);
      widget->hide();
    } else if (widget->focusPolicy() != Qt::NoFocus) {
      if (previous) setTabOrder(previous, widget);
      previous = widget;
    }
  }

  connect(text1_, &QLineEdit::returnPressed, this, &Form1::EnterTypedZone);
  text1_->installEventFilter(this);
  connect(views_[3], &QListView::doubleClicked, this, &Form1::RemoveZone);
  connect(views_[0], &QListView::doubleClicked, this, &Form1::RemoveListingLabel);
  OnDeleteKey(views_[3], &Form1::RemoveZone);
  OnDeleteKey(views_[0], &Form1::RemoveListingLabel);
  connect(client->findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
          &Form1::ApplyZones);
  connect(client->findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
          &Form1::Reassemble);
}

QListView* Form1::BindList(int index, TextList& list) {
  auto* model = new TextListModel(list, this);
  auto* view = new ListBox;
  view->setModel(model);
  view->setItemDelegate(new WidestLineDelegate(view));
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every line is one line of one font: the view need not measure 8,000 of
  // them to lay the listing out, only the widest (see WidestLineDelegate).
  view->setUniformItemSizes(true);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [view, &list] {
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    list.Select(selected.isEmpty() ? -1 : selected.first().row());
  });
  models_[static_cast<size_t>(index)] = model;
  views_[static_cast<size_t>(index)] = view;
  return view;
}

void Form1::OnDeleteKey(QListView* view, void (Form1::*handler)()) {
  auto* action = new QAction(view);
  action->setShortcut(Qt::Key_Delete);
  action->setShortcutContext(Qt::WidgetShortcut);
  view->addAction(action);
  connect(action, &QAction::triggered, this, handler);
}

void Form1::BuildMenu() {
  menuBar()->setNativeMenuBar(false);
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
  file->setObjectName(QStringLiteral("menufile"));

  const auto add = [this, file](const char* name, const QString& caption, QKeyCombination key,
                                void (Form1::*handler)()) {
    QAction* action = file->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, handler);
  };
  add("menuopen", QStringLiteral("&Ouvrir"), Qt::CTRL | Qt::Key_O, &Form1::OpenFile);
  add("menuSave", QStringLiteral("&Enregistrer"), Qt::CTRL | Qt::Key_S, &Form1::Save);
  add("menusaveas", QStringLiteral("&Enregistrer sous ..."), Qt::CTRL | Qt::Key_A, &Form1::SaveAs);
  file->addSeparator()->setObjectName(QStringLiteral("menudash"));
  add("menuexit", QStringLiteral("&Quitter"), Qt::CTRL | Qt::Key_Q, &Form1::Quit);

  QAction* about = menuBar()->addAction(QStringLiteral("&A propos ..."));
  about->setObjectName(QStringLiteral("menuabout"));
  connect(about, &QAction::triggered, this, &Form1::ShowAbout);

  // After the menus above, so that they keep their places.
  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Outils"));
  tools->setObjectName(QStringLiteral("menutools"));
  symbolic_ = tools->addAction(QStringLiteral("Listing &symbolique"));
  symbolic_->setObjectName(QStringLiteral("menusymbolic"));
  symbolic_->setCheckable(true);
  connect(symbolic_, &QAction::triggered, this, &Form1::ChooseListing);
  processor_ = tools->addAction(QString());
  processor_->setObjectName(QStringLiteral("menuprocessor"));
  processor_->setToolTip(QString::fromUtf8(kAlwaysSymbolicNote));
  connect(processor_, &QAction::triggered, this, &Form1::ChooseProcessor);
  // The tooltips say how a part outside the PIC16F87x family lists.
  tools->setToolTipsVisible(true);
  tools->addSeparator();
  QAction* propose = tools->addAction(QStringLiteral("&Proposer les zones de datas"));
  propose->setObjectName(QStringLiteral("menuproposezones"));
  connect(propose, &QAction::triggered, this, &Form1::ProposeDataZones);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) {
    views_[0]->setGeometry(ListingGeometry(static_cast<QResizeEvent*>(event)->size()));
  }
  // The menu's shortcuts win over the zone box's own (Ctrl+A selects all
  // in a text box): left unaccepted, the key goes to the menu.
  if (watched == text1_ && event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : menuBar()->findChildren<QAction*>()) {
      if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
        event->ignore();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

template <typename Command>
void Form1::RunCommand(Command command) {
  running_ = true;
  for (TextListModel* model : models_) model->BeginReload();
  command();
  for (TextListModel* model : models_) model->EndReload();
  running_ = false;
  for (int index = 0; index < 6; ++index) ShowSelection(index);
  setWindowTitle(QString::fromUtf8(state_.Caption));
  ShowChoices();
}

void Form1::ShowSelection(int index) {
  const int selected = lists_[static_cast<size_t>(index)]->SelectedIndex();
  QListView* view = views_[static_cast<size_t>(index)];
  if (selected < 0) {
    view->selectionModel()->clearSelection();
  } else {
    view->selectionModel()->select(view->model()->index(selected, 0),
                                   QItemSelectionModel::ClearAndSelect);
  }
}

void Form1::OpenFile() {
  if (!MayDiscardChanges()) return;
  RunOpen([this] { return OpenCommand(state_, toolkit_); });
}

template <typename Command>
void Form1::RunOpen(Command command) {
  OpenResult result;
  RunCommand([&result, &command] { result = command(); });
  if (result.opened) modified_ = false;
  ShowMisfits(result.fit);
}

void Form1::OpenPath(const std::string& path) {
  if (!MayDiscardChanges()) return;
  // A chosen file comes with its full path, and so does this one: the
  // companion file is then found beside it.
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  const std::string chosen = error ? path : full.string();
  RunOpen([this, &chosen] { return OpenChosenFile(state_, toolkit_, chosen); });
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && DraggedFile(event->mimeData())) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  const std::optional<std::string> file = DraggedFile(event->mimeData());
  if (running_ || !file) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the question before changes are lost,
  // and any message of the open, must not hold the dragging program.
  QMetaObject::invokeMethod(
      this,
      [this, path = *file] {
        if (!running_) OpenPath(path);
      },
      Qt::QueuedConnection);
}

void Form1::Save() { SaveAndWarn(SaveCommand); }

void Form1::SaveAs() { SaveAndWarn(SaveAsCommand); }

bool Form1::SaveAndWarn(bool (*command)(SharedState&, Toolkit&)) {
  const bool saved = command(state_, toolkit_);
  setWindowTitle(QString::fromUtf8(state_.Caption));
  if (!saved) return false;
  modified_ = false;
  // The listing stays as it is: the user chooses how to make it exact.
  const std::vector<int> inexact = InexactWords(state_);
  if (!inexact.empty()) services_.message_box.Show(InexactSourceMessage(inexact), kAppTitle);
  return true;
}

bool Form1::MayDiscardChanges() {
  // Before any file is opened there is no name to save under.
  const std::optional<std::string> source = SourceFileName(state_);
  if (!modified_ || !source) return true;
  switch (services_.message_box.AskYesNoCancel(SaveChangesQuestion(*source), kAppTitle)) {
    case MessageBox::Answer::kYes:
      return SaveAndWarn(SaveCommand);
    case MessageBox::Answer::kNo:
      return true;
    case MessageBox::Answer::kCancel:
      break;
  }
  return false;
}

void Form1::closeEvent(QCloseEvent* event) {
  // The pass lets the event loop run: the window closes once it is over.
  if (!running_ && MayDiscardChanges()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void Form1::ApplyZones() {
  const std::vector<std::string> before = state_.List1.Items();
  std::vector<UnappliedZone> unapplied;
  RunCommand([this, &unapplied] { unapplied = ApplyDataZones(state_); });
  if (state_.List1.Items() != before) modified_ = true;
  // Said once the rebuilt listing is on screen.
  if (!unapplied.empty()) services_.message_box.Show(UnappliedZonesMessage(unapplied), kAppTitle);
}

void Form1::Reassemble() {
  RunCommand([this] { ReassembleCommand(state_, toolkit_); });
}

void Form1::ChooseListing() {
  const ListingStyle style =
      symbolic_->isChecked() ? ListingStyle::kSymbolic : ListingStyle::kClassic;
  RunCommand([this, style] { ChooseListingCommand(state_, toolkit_, style); });
}

void Form1::ChooseProcessor() {
  ImageFit fit;
  RunCommand([this, &fit] { fit = ProcessorCommand(state_, toolkit_); });
  ShowMisfits(fit);
}

void Form1::ShowMisfits(const ImageFit& fit) {
  // Said once the listing is on screen.
  if (!fit.misfits.empty()) services_.message_box.Show(MisfitMessage(fit), kAppTitle);
}

// A part outside the PIC16F87x family lists in the symbolic style whatever
// the style chosen: the check shows it and cannot be taken off.
void Form1::ShowChoices() {
  const Processor& part = ChosenProcessor(state_);
  const bool style_free = InClassicFamily(part);
  symbolic_->setChecked(PassStyle(state_) == ListingStyle::kSymbolic);
  symbolic_->setEnabled(style_free);
  symbolic_->setToolTip(style_free ? QString() : QString::fromUtf8(AlwaysSymbolicTip(part.name)));
  processor_->setText(QStringLiteral("&Processeur : ") + QString::fromUtf8(part.name) +
                      QStringLiteral(" ..."));
}

void Form1::EnterTypedZone() {
  const std::string typed = Utf8ToCp1252(text1_->text().toStdString());
  const int zones = state_.List4.Count();
  models_[3]->BeginReload();
  EnterZone(state_, typed);
  models_[3]->EndReload();
  if (state_.List4.Count() != zones) modified_ = true;
  ShowSelection(3);
  text1_->clear();
}

void Form1::RemoveZone() {
  const int zones = state_.List4.Count();
  models_[3]->BeginReload();
  RemoveSelectedZone(state_);
  models_[3]->EndReload();
  if (state_.List4.Count() != zones) modified_ = true;
  ShowSelection(3);
}

void Form1::RemoveListingLabel() {
  // The line changes in place: the listing keeps its scroll position.
  const int row = state_.List1.SelectedIndex();
  const std::string before = row < 0 ? std::string() : state_.List1.Item(row);
  RemoveLabel(state_);
  models_[0]->LineChanged(row);
  if (row >= 0 && state_.List1.Item(row) != before) modified_ = true;
}

void Form1::Quit() { close(); }

void Form1::ShowAbout() {
  if (!about_)
    about_ = new frmAbout(services_.registry, services_.system_tools, services_.message_box);
  about_->show();
  about_->raise();
  about_->activateWindow();
}

// The proposals join the zone list as typed zones would; the listing waits
// for Valider.
void Form1::ProposeDataZones() {
  models_[3]->BeginReload();
  const EnteredProposals entered = EnterStrongProposals(state_);
  models_[3]->EndReload();
  ShowSelection(3);
  if (entered.added > 0) modified_ = true;
  services_.message_box.Show(ProposalsReport(entered.added, entered.proposals), kAppTitle);
}

}  // namespace tessarin
