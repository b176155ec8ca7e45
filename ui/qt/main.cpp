// Tessarin's window.
#include <QApplication>

#include "ui/qt/appearance.h"
#include "ui/qt/form1.h"
#include "ui/qt/qt_services.h"
#include "ui/qt/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessarin"));
  QApplication::setDesktopFileName(QStringLiteral("tessarin"));
  QApplication::setWindowIcon(tessarin::AppIcon());
  tessarin::LoadToolkitFrench(app);

  tessarin::QtMessageBox message_box;
  tessarin::QtFileDialog dialog;
  tessarin::QtClock clock;
  const auto registry = tessarin::SystemRegistry();
  const auto tools = tessarin::RealSystemTools();
  tessarin::SharedState state;

  // The window deletes itself when closed; the program ends with its last
  // window, which may be the About box.
  auto* form = new tessarin::Form1(state, {message_box, dialog, clock, *registry, *tools});
  message_box.SetMainWindow(form);
  dialog.SetMainWindow(form);
  form->show();
  return app.exec();
}
