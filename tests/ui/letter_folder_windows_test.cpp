// The letter file on Windows, which replaces no file that is open: the
// windows' files, a second copy's letter and the leftovers of a killed program.
#include "tests/support/temp_dir.h"
#include "ui/letter_folder.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <filesystem>
#include <memory>

namespace qrv::gui {
namespace {

namespace fs = std::filesystem;

// The letter folder in Qt's test location, emptied before each test.
class LetterFolderWindows : public ::testing::Test {
  protected:
    static fs::path Path(const std::string& utf8) {
        return fs::path(QString::fromStdString(utf8).toStdWString());
    }

    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        folder = Path(LetterFilePath()).parent_path();
        fs::remove_all(folder);
        letter = Path(LetterFilePath());
    }

    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
    fs::path letter;
};

// A killed program leaves its letter, or a letter moved aside, behind; the
// next start removes them, but not while a running program's window shows one.
TEST_F(LetterFolderWindows, LeftoversAreRemovedUnlessAWindowShowsThem) {
    RemoveLeftoverLetterFile(); // none there: nothing to say
    EXPECT_EQ(FileCount(), 0u);
    {
        const LetterFile shown("shown");
        const LetterFile second("second"); // moves the first aside
        RemoveLeftoverLetterFile();
        EXPECT_EQ(test::ReadBytes(letter), "second");
        EXPECT_EQ(FileCount(), 2u);
    }
    EXPECT_EQ(FileCount(), 0u);
    test::WriteBytes(letter, "left behind");
    test::WriteBytes(folder / "qrv1A2B.tmp", "moved aside");
    RemoveLeftoverLetterFile();
    EXPECT_EQ(FileCount(), 0u);
}

// Two copies of the program share the letter file's name: the second one's
// letter replaces the first one's, and each removes only its own.
TEST_F(LetterFolderWindows, TwoCopiesNeverDeleteEachOthersLetter) {
    auto first = std::make_unique<LetterFile>("first");
    LetterFile second("second");
    first->remove();
    EXPECT_EQ(test::ReadBytes(letter), "second");
    first = std::make_unique<LetterFile>("third");
    second.remove();
    EXPECT_EQ(test::ReadBytes(letter), "third");
    first->remove();
    EXPECT_EQ(FileCount(), 0u);
    EXPECT_NO_THROW(first->remove());
}

} // namespace
} // namespace qrv::gui
