// Where the desktop program keeps the letter file while its window is open.
#include "files/file_error.h"
#include "tests/support/temp_dir.h"
#include "ui/letter_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv::gui {
namespace {

namespace fs = std::filesystem;

// Sets the folder variables for one test and puts them back afterwards.
class LetterFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        // Without a runtime folder Qt makes runtime-USER in the temporary
        // folder; a file of that name there leaves it none.
        fs::create_directory(dir.path() / "tmp");
        test::WriteBytes(dir.path() / "tmp" / ("runtime-" + std::string(::getpwuid(::getuid())->pw_name)),
                         "");
        ::setenv("TMPDIR", (dir.path() / "tmp").c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("XDG_CACHE_HOME");
        ::setenv("HOME", (dir.path() / "home").c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

    fs::path useRuntimeFolder() {
        fs::create_directory(dir.path() / "run");
        fs::permissions(dir.path() / "run", fs::perms(0700));
        ::setenv("XDG_RUNTIME_DIR", (dir.path() / "run").c_str(), 1);
        return dir.path() / "run";
    }

    static mode_t Mode(const fs::path& path) {
        struct stat info {};
        ::lstat(path.c_str(), &info);
        return info.st_mode & 0777;
    }

    test::TempDir dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(LetterFolder, PicksAPrivateRuntimeFolderElseThePrivateCacheFolder) {
    fs::create_directory(dir.path() / "run");
    fs::permissions(dir.path() / "run", fs::perms(0700));
    fs::create_directory(dir.path() / "open");
    fs::permissions(dir.path() / "open", fs::perms(0755));
    const struct {
        const char* runtime;
        const char* cache;
        const char* expected;
    } cases[] = {
        {"run", "cache", "run/outputyyyy.txt"},
        {nullptr, "cache", "cache/qrv-edit/outputyyyy.txt"},
        {"open", "cache", "cache/qrv-edit/outputyyyy.txt"},
        {"relative/run", "cache", "cache/qrv-edit/outputyyyy.txt"},
        {nullptr, nullptr, "home/.cache/qrv-edit/outputyyyy.txt"},
        {nullptr, "relative", "home/.cache/qrv-edit/outputyyyy.txt"},
    };
    const auto set = [this](const char* name, const char* value) {
        if (value == nullptr)
            ::unsetenv(name);
        else if (std::string_view(value).starts_with("relative"))
            ::setenv(name, value, 1);
        else
            ::setenv(name, (dir.path() / value).c_str(), 1);
    };
    for (const auto& c : cases) {
        set("XDG_RUNTIME_DIR", c.runtime);
        set("XDG_CACHE_HOME", c.cache);
        const fs::path expected = dir.path() / c.expected;
        EXPECT_EQ(LetterFilePath(), expected.string());
        EXPECT_EQ(Mode(expected.parent_path()), 0700u) << expected;
    }
}

TEST_F(LetterFolder, OpenCacheFolderIsMadePrivate) {
    fs::create_directories(dir.path() / "home" / ".cache" / "qrv-edit");
    fs::permissions(dir.path() / "home" / ".cache" / "qrv-edit", fs::perms(0755));
    LetterFilePath();
    EXPECT_EQ(Mode(dir.path() / "home" / ".cache" / "qrv-edit"), 0700u);
}

TEST_F(LetterFolder, PlantedLinkInPlaceOfTheCacheFolderIsRefused) {
    fs::create_directories(dir.path() / "home" / ".cache");
    fs::create_directories(dir.path() / "elsewhere");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "home" / ".cache" / "qrv-edit");
    EXPECT_THROW(LetterFilePath(), FileError);
}

// A killed program leaves its letter file behind; the next start removes it,
// but not while a running program's window shows it.
TEST_F(LetterFolder, LeftoverLetterFileIsRemovedUnlessAWindowShowsIt) {
    const fs::path letter = useRuntimeFolder() / "outputyyyy.txt";

    RemoveLeftoverLetterFile(); // none there: nothing to say
    EXPECT_FALSE(fs::exists(letter));
    {
        const LetterFile shown("shown");
        RemoveLeftoverLetterFile();
        EXPECT_EQ(test::ReadBytes(letter), "shown");
        EXPECT_EQ(Mode(letter), 0600u);
    }
    test::WriteBytes(letter, "left behind");
    RemoveLeftoverLetterFile();
    EXPECT_FALSE(fs::exists(letter));
}

// Two copies of the program share the letter file's name: the second one's
// letter replaces the first one's, and each removes only its own.
TEST_F(LetterFolder, TwoCopiesNeverDeleteEachOthersLetter) {
    const fs::path letter = useRuntimeFolder() / "outputyyyy.txt";
    auto first = std::make_unique<LetterFile>("first");
    LetterFile second("second");
    first->remove();
    EXPECT_EQ(test::ReadBytes(letter), "second");
    first = std::make_unique<LetterFile>("third");
    second.remove();
    EXPECT_EQ(test::ReadBytes(letter), "third");
    first->remove();
    EXPECT_FALSE(fs::exists(letter));
    EXPECT_NO_THROW(first->remove());
}

TEST_F(LetterFolder, PlantedLinkInPlaceOfTheLetterFileIsReplacedNotFollowed) {
    const fs::path letter = useRuntimeFolder() / "outputyyyy.txt";
    test::WriteBytes(dir.path() / "victim", "keep me");
    fs::create_symlink(dir.path() / "victim", letter);
    LetterFile shown("letter");
    EXPECT_FALSE(fs::is_symlink(letter));
    EXPECT_EQ(test::ReadBytes(dir.path() / "victim"), "keep me");
}

TEST_F(LetterFolder, LetterFileThatCannotBeRemovedStaysWithoutAnError) {
    fs::create_directories(dir.path() / "home" / ".cache");
    fs::create_directories(dir.path() / "elsewhere");
    test::WriteBytes(dir.path() / "elsewhere" / "outputyyyy.txt", "not ours to touch");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "home" / ".cache" / "qrv-edit");
    EXPECT_NO_THROW(RemoveLeftoverLetterFile());
    EXPECT_TRUE(fs::exists(dir.path() / "elsewhere" / "outputyyyy.txt"));

    fs::create_directory(dir.path() / "run");
    fs::permissions(dir.path() / "run", fs::perms(0700));
    ::setenv("XDG_RUNTIME_DIR", (dir.path() / "run").c_str(), 1);
    fs::create_directory(dir.path() / "run" / "outputyyyy.txt");
    EXPECT_NO_THROW(RemoveLeftoverLetterFile());
    EXPECT_TRUE(fs::is_directory(dir.path() / "run" / "outputyyyy.txt"));
}

} // namespace
} // namespace qrv::gui
