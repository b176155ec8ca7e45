#pragma once

#include "ui/services.h"

class QWidget;

namespace tessarin {

/// A modal message box without icon: one OK button, or "Oui" and "Non".
class QtMessageBox : public MessageBox {
 public:
  void Show(std::string_view text, std::string_view title) override;
  bool Ask(std::string_view text, std::string_view title) override;
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

/// The toolkit's file dialog. Paths are in the file system's encoding.
class QtFileDialog : public FileDialog {
 public:
  Choice ShowOpen(const std::string& folder, bool must_exist) override;
  Choice ShowSave(const std::string& proposed_path) override;
};

}  // namespace tessarin
