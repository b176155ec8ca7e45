// Tessarin's window.
#include <QApplication>

#include "ui/app_title.h"
#include "ui/qt/appearance.h"
#include "ui/qt/form1.h"
#include "ui/qt/qt_services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(
      QString::fromUtf8(tessarin::kAppTitle.data(), static_cast<qsizetype>(tessarin::kAppTitle.size())));
  QApplication::setDesktopFileName(QStringLiteral("tessarin"));
  QApplication::setWindowIcon(tessarin::AppIcon());

  tessarin::QtMessageBox message_box;
  tessarin::QtFileDialog dialog;
  tessarin::QtClock clock;
  const auto registry = tessarin::SystemRegistry();
  const auto tools = tessarin::RealSystemTools();
  tessarin::SharedState state;

  // The window deletes itself when closed; the program ends with its last
  // window, which may be the About box.
  auto* form = new tessarin::Form1(state, {message_box, dialog, clock, *registry, *tools});
  form->show();
  return app.exec();
}
