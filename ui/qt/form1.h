#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "ui/qt/qt_services.h"
#include "ui/services.h"
#include "ui/shared_state.h"
#include "ui/sys_info.h"

class QAction;
class QLineEdit;
class QListView;

namespace tessarin {

struct ImageFit;
class TextListModel;
class frmAbout;

/// The services the windows use, owned by whoever makes the main window and
/// living longer than both windows.
struct WindowServices {
  MessageBox& message_box;
  FileDialog& dialog;
  Clock& clock;
  Registry& registry;
  SystemTools& system_tools;
  ProcessorChoice& processor_choice;
  PartMemory& parts;
};

/// The main window: the listing, the label and zone lists, the zone box, the
/// two buttons, the numbered steps and the menu. Each event calls one core
/// function and tells the list models what changed. The window deletes
/// itself when closed.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  Form1(SharedState& state, WindowServices services, QWidget* parent = nullptr);
  ~Form1() override;

  /// Opens the HEX file at `path` (file system encoding) as "&Ouvrir" does
  /// once a file is chosen: the file named on the command line.
  void OpenPath(const std::string& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  /// Asks first when work is not saved (see `MayDiscardChanges`).
  void closeEvent(QCloseEvent* event) override;
  /// A single local file dropped on the window is opened by `OpenPath`, once
  /// the drop is over.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls(QWidget* client);
  void BuildMenu();
  QListView* BindList(int index, TextList& list);
  /// The Delete key in `view` runs `handler`, as a double-click does.
  void OnDeleteKey(QListView* view, void (Form1::*handler)());

  void OpenFile();
  /// Runs an open command; once it has opened a file, nothing is left
  /// unsaved; words the part cannot hold are named either way.
  template <typename Command>
  void RunOpen(Command command);
  void Save();
  void SaveAs();
  /// Runs a save command; once it has written both files, nothing is left
  /// unsaved and a source that will not give back the image is named.
  /// True when written.
  bool SaveAndWarn(bool (*command)(SharedState&, Toolkit&));
  /// Before what is not saved would be lost (quit, open): when a zone or a
  /// label was changed since the last open or save, asks once whether to
  /// save it. False to keep the work: "Annuler", or a save that failed.
  bool MayDiscardChanges();
  void Quit();
  void ShowAbout();
  void ProposeDataZones();
  void EnterTypedZone();
  void RemoveZone();
  void RemoveListingLabel();
  void ApplyZones();
  void Reassemble();
  void ChooseListing();
  void ChooseProcessor();
  /// Names the words of the image that the chosen part cannot hold, if any.
  void ShowMisfits(const ImageFit& fit);
  /// Shows the chosen style and part in the menu.
  void ShowChoices();

  /// Runs `command`, which may rebuild any list, and reloads the views.
  template <typename Command>
  void RunCommand(Command command);
  /// Shows the core's selection of list `index` in its view.
  void ShowSelection(int index);

  SharedState& state_;
  WindowServices services_;
  QtEventLoopYield yield_;
  Toolkit toolkit_;

  // List1 to List6, by index 0 to 5.
  std::array<TextList*, 6> lists_{};
  std::array<TextListModel*, 6> models_{};
  std::array<QListView*, 6> views_{};
  QLineEdit* text1_ = nullptr;
  QAction* symbolic_ = nullptr;   // "Listing symbolique"
  QAction* processor_ = nullptr;  // "Processeur"
  QPointer<frmAbout> about_;
  /// While a command runs (the pass lets the event loop run), no drop starts
  /// another one and the window does not close.
  bool running_ = false;
  /// Zones typed, removed, proposed or applied, or labels removed, since the
  /// last open or save.
  bool modified_ = false;
};

}  // namespace tessarin
