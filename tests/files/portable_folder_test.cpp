// Portable mode: the marker beside the program, and only a folder that takes
// new files, keep the program's own files there.
#include "files/files.h"
#include "files/portable_folder.h"
#include "tests/support/refusing_folder.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrv {
namespace {

namespace fs = std::filesystem;

std::string Separated(const fs::path& folder) {
    return (folder / "").string();
}

TEST(PortableFolder, OnlyAMarkerFileInAWritableFolderCounts) {
    const test::TempDir dir;
    const fs::path program = dir.path() / "qrv-edit.exe";
    test::WriteBytes(program, "");
    EXPECT_EQ(PortableFolderOf(program.string()), std::nullopt) << "no marker";

    test::WriteBytes(dir.path() / "portable", "");
    EXPECT_EQ(PortableFolderOf(program.string()), Separated(dir.path()));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"portable", "qrv-edit.exe"}))
        << "the look at the folder leaves nothing in it";

    fs::remove(dir.path() / "portable");
    fs::create_directory(dir.path() / "portable");
    EXPECT_EQ(PortableFolderOf(program.string()), std::nullopt) << "a folder named portable";

    EXPECT_EQ(PortableFolderOf("qrv-edit.exe"), std::nullopt) << "no folder at all";
}

TEST(PortableFolder, AMarkerInAFolderThatRefusesNewFilesIsPassedOver) {
    const test::TempDir dir;
    // The marker goes in before the folder closes.
    fs::create_directory(dir.path() / "closed");
    test::WriteBytes(dir.path() / "closed" / "portable", "");
    const test::RefusingFolder closed(dir.path() / "closed");
    if (!closed.unavailable().empty())
        GTEST_SKIP() << closed.unavailable();
    EXPECT_EQ(PortableFolderOf((dir.path() / "closed" / "qrv-edit.exe").string()), std::nullopt);
}

TEST(PortableFolder, TheRunningProgramIsThisTest) {
    EXPECT_EQ(fs::path(test::Utf8Path(RunningProgramPath())).stem(), "files_tests");
}

} // namespace
} // namespace qrv
