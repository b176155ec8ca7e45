#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/services.h"

namespace tessarin {

/// Where a dialog stands: over the window the user is working in, or, when
/// no window of the program is active at that moment (one dialog closing as
/// the next opens), over the main window.
class DialogOwner {
 public:
  void SetMainWindow(QWidget* window) { main_window_ = window; }

 protected:
  QWidget* Owner() const;

 private:
  QPointer<QWidget> main_window_;
};

/// A modal message box without icon: one OK button, or "Oui" and "Non"
/// (and "Annuler").
class QtMessageBox : public MessageBox, public DialogOwner {
 public:
  void Show(std::string_view text, std::string_view title) override;
  bool Ask(std::string_view text, std::string_view title) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
};

/// Lets the window repaint while the pass works, but keeps the user's clicks
/// and keys queued until the pass is over: a command started in the middle
/// of the pass would rebuild the lists under it.
class QtEventLoopYield : public EventLoopYield {
 public:
  void YieldOnce() override;
};

/// The user's short date and the time with seconds, in the user's locale,
/// as Windows-1252 text (they go into the listing's first line).
class QtClock : public Clock {
 public:
  std::string DateText() override;
  std::string TimeText() override;
};

/// The toolkit's file dialog, with a filter for the
/// files it is for and one for all files. Paths are in the file system's
/// encoding.
class QtFileDialog : public FileDialog, public DialogOwner {
 public:
  Choice ShowOpen(const std::string& folder, bool must_exist) override;
  Choice ShowSave(const std::string& proposed_path) override;
};

/// The processor dialog (see `ProcessorDialog`), modal over the window.
class QtProcessorChoice : public ProcessorChoice, public DialogOwner {
 public:
  std::optional<std::string> Show(std::string_view current) override;
};

/// The part last chosen for each HEX file, in the user's settings
/// (organisation and application "Tessarin"), for the most recent files.
class QtPartMemory : public PartMemory {
 public:
  std::string PartFor(const std::string& hex_path) override;
  void Remember(const std::string& hex_path, std::string_view part) override;
};

}  // namespace tessarin
