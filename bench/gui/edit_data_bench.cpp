// From pressing "Edit Data" on a media file of 99,999 detail records, all
// rejected, to the result window on view with every row, offscreen.
#include "tests/support/media_lines.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/error_table_model.h"
#include "ui/frmSelFile.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <memory>

using namespace qrv::test;

namespace {

constexpr int kRecords = 99'999;

void EditDataAllRejected(benchmark::State& state, Format format, const char* menuItem, int firstRuns) {
    const TempDir dir;
    std::vector<std::string> lines{ControlLine(format, {})};
    for (int i = 0; i < kRecords; ++i) // a wrong check digit in every record
        lines.push_back(DetailLine(format, {.account = "1234567890", .amount = DetailAmount(format, i)}));
    const QString path =
        QFile::decodeName(QByteArray::fromStdString(dir.write("all-rejected.txt", JoinLines(lines))));
    const RecordingDialogs dialogs;
    std::unique_ptr<qrv::gui::MDIForm1> main;
    for (auto _ : state) {
        state.PauseTiming();
        main = std::make_unique<qrv::gui::MDIForm1>(); // the previous one goes untimed
        qrv::gui::MDIForm1& window = *main;
        window.showMaximized();
        window.findChild<QAction*>(menuItem)->trigger();
        window.selFile()->txtfile()->setText(path);
        for (int run = 0; run < firstRuns; ++run) {
            window.selFile()->editData()->click();
        }
        QApplication::processEvents();
        state.ResumeTiming();

        window.selFile()->editData()->click();
        QApplication::processEvents();

        state.PauseTiming();
        const auto* result = window.findResultWindow();
        if (!result || !result->isVisible() || result->errorRows()->rowCount() != kRecords * (firstRuns + 1))
            state.SkipWithError("the result window does not show every rejected record");
        state.ResumeTiming();
    }
    state.counters["records"] = kRecords;
}

} // namespace

BENCHMARK_CAPTURE(EditDataAllRejected, format_100m, Format::M100, "KVT_100m", 0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(EditDataAllRejected, format_10m, Format::M10, "KVT_10m", 0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// The same file again into the open window: its rows go ahead of the first run's.
BENCHMARK_CAPTURE(EditDataAllRejected, format_100m_second_run, Format::M100, "KVT_100m", 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
