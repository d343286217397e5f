// qrv-edit's windows and memory: a run with three million rejected rows, in
// a child process whose address space is cut to 200 MB above what it uses
// before the run (100 bytes a row would need 300 MB), ends with its message,
// never with an abort; and an allocation that fails in an event handler ends
// there, with a message.
#include "tests/support/media_lines.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/resource.h>

using namespace qrv;
using namespace qrv::test;

namespace {

constexpr std::string_view kChild = "--check-under-limit";
constexpr int kRejectedRows = 3'000'000;
// The advisories hold 16 bytes a record, 3,000,000 records in arrays that grow by doubling.
constexpr std::uint64_t kRoom = 300 << 20;

std::uint64_t AddressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string name; status >> name;) {
        if (name == "VmSize:") {
            std::uint64_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes << 10;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

// The child: "Edit Data" on `media` under the limit, then every message box
// it showed on standard output, one a line.
int CheckUnderLimit(int argc, char** argv, const char* media) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    gui::Application app(argc, argv);
    const RecordingDialogs dialogs;
    gui::MDIForm1 window;
    window.showMaximized();
    window.findChild<QAction*>("KVT_100m")->trigger();
    Txtfile(*SelFile(window))->setText(QFile::decodeName(media));
    QApplication::processEvents();
    const rlimit limit{AddressSpaceInUse() + kRoom, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
        return 3;
    // Queued, so that the click reaches the button through the event loop, as a clerk's does.
    QMetaObject::invokeMethod(EditData(*SelFile(window)), "click", Qt::QueuedConnection);
    for (int round = 0; round < 10; ++round)
        QApplication::processEvents();
    for (const QString& text : dialogs.messageTexts())
        std::puts(text.toUtf8().constData());
    if (const gui::FrmEdit* result = window.findResultWindow())
        std::printf("%d listed: %s\n", ErrorRows(*result)->rowCount(),
                    Part<QLabel>(*result, "rowsNote")->text().toUtf8().constData());
    return 0;
}

TEST(MemoryLimit, ManyRejectedRowsFitUnderTheLimit) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves far more address space than the limit";
#endif
    const TempDir dir;
    std::string bytes = ControlLine(Format::M100, {}) + "\r\n";
    for (int line = 0; line < kRejectedRows; ++line)
        bytes += "\r\n"; // a blank line: a rejected record
    const std::string media = dir.write("blank-lines.txt", bytes);
    bytes = std::string();
    const ProcessResult run =
        RunProgram(std::filesystem::read_symlink("/proc/self/exe"), {std::string(kChild), media}, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const QString said = QLocale().toString(kRejectedRows);
    EXPECT_EQ(run.out, "Please check data input file.\n1000000 listed: Only the first " +
                           QLocale().toString(1'000'000).toStdString() + " of " + said.toStdString() +
                           " rejected rows are listed; \"Export rejected rows...\" writes them all.\n")
        << run.err;
}

// Throws what it is given when an event reaches it.
class Throwing : public QObject {
  public:
    explicit Throwing(std::function<void()> toThrow) : throw_(std::move(toThrow)) {}
    bool event(QEvent*) override {
        throw_();
        return true;
    }

  private:
    std::function<void()> throw_;
};

TEST(EventHandlers, AnExceptionEndsInItsHandlerWithAMessage) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "memory_limit_tests";
    char* argv[] = {name, nullptr};
    gui::Application app(argc, argv);
    const RecordingDialogs dialogs;
    Throwing outOfMemory([] { throw std::bad_alloc(); });
    QCoreApplication::postEvent(&outOfMemory, new QEvent(QEvent::User));
    Throwing failing([] { throw std::runtime_error("Cannot read the temporary file"); });
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.messageTexts(), (QStringList{gui::kOutOfMemory, "Cannot read the temporary file"}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && argv[1] == kChild)
        return CheckUnderLimit(argc, argv, argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
