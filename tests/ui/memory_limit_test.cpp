// qrv-edit's windows when memory runs out: a run with a million rejected
// rows, in a child process whose address space is cut to just above what it
// uses before the run, must end with a message, never with an abort.
#include "tests/support/media_lines.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"

#include <QAction>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

using namespace qrv;
using namespace qrv::test;

namespace {

constexpr std::string_view kChild = "--check-under-limit";
// Room left above the address space in use before the run: far less than a
// million rows would take in memory.
constexpr std::uint64_t kRoom = 24 << 20;

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
    return 0;
}

TEST(MemoryLimit, RunningOutInTheWindowsEndsInAMessage) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves far more address space than the limit";
#endif
    const TempDir dir;
    std::string bytes = ControlLine(Format::M100, {}) + "\r\n";
    for (int line = 0; line < 1'200'000; ++line)
        bytes += "\r\n"; // a blank line: a rejected record
    const std::string media = dir.write("blank-lines.txt", bytes);
    const ProcessResult run =
        RunProgram(std::filesystem::read_symlink("/proc/self/exe"), {std::string(kChild), media}, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, testing::HasSubstr("not enough memory")) << run.err;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && argv[1] == kChild)
        return CheckUnderLimit(argc, argv, argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
