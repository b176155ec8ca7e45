// Tessarin's window.
#include <QApplication>
#include <iostream>

#include "ui/app_title.h"
#include "ui/qt/appearance.h"
#include "ui/qt/form1.h"
#include "ui/qt/qt_services.h"
#include "ui/qt/translations.h"
#include "ui/qt/window_arguments.h"

int main(int argc, char* argv[]) {
  using tessarin::WindowArguments;
  // Help and version need no display: they are answered before the toolkit
  // starts.
  const WindowArguments early = tessarin::ParseWindowArguments({argv + 1, argv + argc});
  if (early.action == WindowArguments::Action::kHelp) {
    std::cout << tessarin::WindowUsage();
    return 0;
  }
  if (early.action == WindowArguments::Action::kVersion) {
    std::cout << "tessarin " << tessarin::kAppVersion << "\n";
    return 0;
  }

  QApplication app(argc, argv);
  // The toolkit has taken its own options out of argv.
  const WindowArguments arguments = tessarin::ParseWindowArguments({argv + 1, argv + argc});
  if (arguments.action == WindowArguments::Action::kUsageError) {
    std::cerr << "tessarin: " << arguments.error
              << "\nTry 'tessarin --help' for more information.\n";
    return 2;
  }
  QApplication::setApplicationName(QString::fromUtf8(tessarin::kAppTitle));
  QApplication::setDesktopFileName(QStringLiteral("tessarin"));
  QApplication::setWindowIcon(tessarin::AppIcon());
  tessarin::LoadToolkitFrench(app);

  tessarin::QtMessageBox message_box;
  tessarin::QtFileDialog dialog;
  tessarin::QtProcessorChoice processor_choice;
  tessarin::QtPartMemory parts;
  tessarin::QtClock clock;
  const auto registry = tessarin::SystemRegistry();
  const auto tools = tessarin::RealSystemTools();
  tessarin::SharedState state;

  // The window deletes itself when closed; the program ends with its last
  // window, which may be the About box.
  auto* form = new tessarin::Form1(
      state, {message_box, dialog, clock, *registry, *tools, processor_choice, parts});
  message_box.SetMainWindow(form);
  dialog.SetMainWindow(form);
  processor_choice.SetMainWindow(form);
  form->show();
  if (!arguments.file.empty()) form->OpenPath(arguments.file);
  return app.exec();
}
