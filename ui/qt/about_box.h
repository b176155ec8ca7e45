#pragma once

#include <QDialog>

#include "ui/services.h"
#include "ui/sys_info.h"

namespace tessarin {

/// The About box: the program's name, version and description, and a button
/// that starts the system's information tool. It has no owner, is not modal
/// and deletes itself when closed.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(Registry& registry, SystemTools& tools, MessageBox& message_box);

 private:
  /// Fills the texts that depend on the program's title and version.
  void Load();

  Registry& registry_;
  SystemTools& tools_;
  MessageBox& message_box_;
};

}  // namespace tessarin
