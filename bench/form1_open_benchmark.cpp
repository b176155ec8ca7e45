// From the open command's start to the listing on screen, for a full
// PIC16F876 image, in the real window on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "ui/qt/form1.h"

namespace tessarin {
namespace {

// Tells when the listing's viewport has been painted.
class PaintWatch : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void BM_OpenFullImageToScreen(benchmark::State& bench) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("full.hex"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) std::abort();
  for (const std::string& line : testing::FullImage()) file.write((line + "\r\n").c_str());
  file.close();

  SharedState state;
  testing::RecordingMessageBox message_box;
  testing::ScriptedFileDialog dialog;
  testing::FixedClock clock;
  testing::ScriptedProcessorChoice processor_choice;
  testing::RememberedParts parts;
  EmptyRegistry registry;
  const auto tools = RealSystemTools();
  auto* form =
      new Form1(state, {message_box, dialog, clock, registry, *tools, processor_choice, parts});
  form->show();
  if (!QTest::qWaitForWindowExposed(form)) std::abort();
  auto* open = form->findChild<QAction*>(QStringLiteral("menuopen"));
  auto* list1 = form->findChild<QListView*>(QStringLiteral("List1"));
  PaintWatch watch;
  list1->viewport()->installEventFilter(&watch);

  for (auto _ : bench) {
    dialog.WillChoose(QFile::encodeName(path).toStdString());
    open->trigger();
    // The view lays the new rows out and repaints from the event loop, once
    // the command is over; paints while the pass yields do not count.
    watch.painted = false;
    QElapsedTimer waited;
    waited.start();
    while (!watch.painted && waited.elapsed() < 5000) QCoreApplication::processEvents();
    if (!watch.painted) bench.SkipWithError("the listing was never painted");
  }
  if (!message_box.shown.empty()) bench.SkipWithError(message_box.shown.front().text.c_str());
  bench.counters["lines"] = list1->model()->rowCount();
  delete form;
}
BENCHMARK(BM_OpenFullImageToScreen)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessarin

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
