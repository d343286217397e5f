// Faults that only the real thing shows: signals to a running qrv-check, an
// unprivileged user, a full disk, inputs that are no regular files, lines
// without end. What needs root is skipped without it, with the reason.
#include "files/file_error.h"
#include "files/files.h"
#include "tests/support/media_lines.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iostream>
#include <linux/fs.h>
#include <optional>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qrv {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using testing::ElementsAre;
using testing::HasSubstr;

constexpr std::string_view kEarlier = "earlier summary\r\n";

// How a child process ended.
struct Ended {
    int exitStatus = -1; // -1 when a signal ended it
    int signal = 0;
    bool blocked = false; // still running after a minute, and killed
    std::string output;   // stdout and stderr
};

struct ChildOptions {
    std::vector<std::string> prefix; // a command that runs qrv-check, such as setpriv
    std::vector<std::string> environment;
    std::vector<std::string> arguments; // before the media file
};

// qrv-check --format 100M `media`, started with the signals at their defaults.
class Child {
  public:
    Child(const fs::path& media, const ChildOptions& options = {}) {
        std::vector<std::string> command = options.prefix;
        command.insert(command.end(), {QRV_CHECK_PATH, "--format", "100M"});
        command.insert(command.end(), options.arguments.begin(), options.arguments.end());
        command.push_back(media.string());
        std::vector<char*> argv;
        for (std::string& arg : command)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment = options.environment;
        for (char** variable = environ; *variable != nullptr; ++variable)
            environment.emplace_back(*variable);
        std::vector<char*> envp;
        for (std::string& variable : environment)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&signals, signal);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        const int failed = posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        if (failed != 0)
            throw std::runtime_error("cannot start " + command[0]);
    }
    ~Child() {
        if (!ended_)
            wait();
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    void send(int signal) const { ::kill(pid_, signal); }

    bool running() {
        int status = 0;
        if (ended_ || ::waitpid(pid_, &status, WNOHANG) == 0)
            return !ended_;
        record(status, false);
        return false;
    }

    // A child that blocks is ended after a minute, so that the suite ends too.
    Ended wait() {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (running() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (!ended_) {
            send(SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            record(status, true);
        }
        return *ended_;
    }

    // How far the child has read `file`; nothing while it has it not open.
    std::optional<long long> readPosition(const fs::path& file) const {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(descriptors(), error)) {
            if (fs::read_symlink(entry.path(), error) != file)
                continue;
            std::ifstream info("/proc/" + std::to_string(pid_) + "/fdinfo/" +
                               entry.path().filename().string());
            std::string key;
            long long position = 0;
            if (info >> key >> position && key == "pos:")
                return position;
        }
        return std::nullopt;
    }

    // The files the child holds open that have no name in `folder`.
    std::vector<fs::path> unnamedFilesIn(const fs::path& folder) const {
        std::vector<fs::path> unnamed;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(descriptors(), error)) {
            const std::string target = fs::read_symlink(entry.path(), error).string();
            if (target.starts_with(folder.string() + "/#") && target.ends_with(" (deleted)"))
                unnamed.push_back(entry.path());
        }
        return unnamed;
    }

  private:
    fs::path descriptors() const { return "/proc/" + std::to_string(pid_) + "/fd"; }

    void record(int status, bool blocked) {
        Ended ended;
        ended.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ended.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        ended.blocked = blocked;
        ended.output = ReadBytes(output_);
        ended_ = ended;
    }

    TempDir outputDir_;
    fs::path output_ = outputDir_.path() / "output";
    pid_t pid_ = 0;
    std::optional<Ended> ended_;
};

mode_t Mode(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return 0;
    return info.st_mode & 0777;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A 100 M media file of `records` accepted detail records.
void WriteMediaFile(const fs::path& path, int records) {
    const test::Control control{.totalRecord = test::RecordCount(records % 100000),
                                .totalAmount = test::ControlAmount(Format::M100, 100LL * records)};
    const std::string detail =
        test::DetailLine(Format::M100, {.amount = test::DetailAmount(Format::M100, 100)}) + "\r\n";
    std::string bytes = test::ControlLine(Format::M100, control) + "\r\n";
    bytes.reserve(bytes.size() + detail.size() * static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i)
        bytes += detail;
    WriteBytes(path, bytes);
}

std::string StopMessage(const std::string& text) {
    return "Message [QRV Edit Data, stop]: " + text;
}

// ---------------------------------------------------------------------------
// Signals halfway through a large file: the summary being written goes, the
// earlier one stays as it was.

struct SignalCase {
    int signal;
    bool unnamedFiles; // false: the file system seems to have none
};

class Interrupted : public testing::TestWithParam<SignalCase> {
  protected:
    fs::path media() const { return dir.path() / "media.txt"; }
    fs::path summary() const { return dir.path() / "012345"; }

    TempDir dir;
};

TEST_P(Interrupted, HalfwayLeavesNoTemporaryFileAndTheEarlierSummary) {
    WriteMediaFile(media(), 1'000'000);
    WriteBytes(summary(), std::string(kEarlier));
    fs::permissions(summary(), fs::perms(0640));
    const long long size = static_cast<long long>(fs::file_size(media()));
    ChildOptions options;
    if (!GetParam().unnamedFiles)
        options.environment = {"LD_PRELOAD=" QRV_REFUSE_UNNAMED_FILES,
                               "ASAN_OPTIONS=verify_asan_link_order=0"};
    Child child(media(), options);

    while (child.readPosition(media()).value_or(0) < size / 2)
        ASSERT_TRUE(child.running()) << "the check ended before it was halfway: " << child.wait().output;
    // Mode 0600 until the summary is committed, whichever kind of file it is.
    if (GetParam().unnamedFiles) {
        const std::vector<fs::path> unnamed = child.unnamedFilesIn(dir.path());
        ASSERT_EQ(unnamed.size(), 1u);
        EXPECT_EQ(Mode(unnamed[0]), 0600u);
        EXPECT_THAT(Names(dir.path()), ElementsAre("012345", "media.txt"));
    } else {
        const std::vector<std::string> names = Names(dir.path());
        ASSERT_EQ(names.size(), 3u);
        EXPECT_THAT(names[0], testing::MatchesRegex("\\.qrv-[A-Za-z0-9]{6}"));
        EXPECT_EQ(Mode(dir.path() / names[0]), 0600u);
    }
    child.send(GetParam().signal);
    const Ended ended = child.wait();

    EXPECT_EQ(ended.signal, GetParam().signal) << ended.output;
    EXPECT_THAT(Names(dir.path()), ElementsAre("012345", "media.txt"));
    EXPECT_EQ(ReadBytes(summary()), kEarlier);
    EXPECT_EQ(Mode(summary()), 0640u);
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupted,
                         testing::Values(SignalCase{SIGINT, true}, SignalCase{SIGTERM, true},
                                         SignalCase{SIGHUP, true}, SignalCase{SIGKILL, true},
                                         SignalCase{SIGINT, false}, SignalCase{SIGTERM, false},
                                         SignalCase{SIGHUP, false}),
                         [](const testing::TestParamInfo<SignalCase>& param) {
                             return std::string(sigabbrev_np(param.param.signal)) +
                                    (param.param.unnamedFiles ? "_Unnamed" : "_Named");
                         });

// ---------------------------------------------------------------------------
// Inputs that are no media files end the run at once with a run error.

class Inputs : public testing::Test {
  protected:
    TempDir dir;
};

TEST_F(Inputs, OnlyRegularFilesAreReadAndNothingWaitsForAWriter) {
    const fs::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path socketPath = dir.path() / "socket";
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const fs::path& input : {fifo, fs::path("/dev/zero"), socketPath, dir.path()}) {
        SCOPED_TRACE(input);
        const Ended ended = Child(input).wait();

        EXPECT_FALSE(ended.blocked);
        EXPECT_EQ(ended.exitStatus, 2);
        EXPECT_THAT(ended.output, HasSubstr(StopMessage("Cannot open the input file \"" + input.string() +
                                                        "\": it is not a regular file.\n")));
    }
    ::close(listening);
}

// A device, FIFO or socket where the summary file would go is someone
// else's: the run stops before it reads a record, and the node stays.
TEST_F(Inputs, SummaryPathThatIsNoRegularFileIsRefusedAndLeftAlone) {
    WriteMediaFile(dir.path() / "media.txt", 3);
    const fs::path summary = dir.path() / "012345";
    const struct {
        const char* what;
        std::function<bool()> make;
    } cases[] = {
        {"FIFO",
         [&] {
             return ::mkfifo(summary.c_str(), 0644) == 0;
         }},
        {"device",
         [&] {
             return ::mknod(summary.c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0;
         }},
        {"link to a FIFO",
         [&] {
             return ::mkfifo((dir.path() / "fifo").c_str(), 0644) == 0 &&
                    ::symlink("fifo", summary.c_str()) == 0;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.make()) {
            std::cout << "not tried: cannot make a " << c.what << ": " << std::strerror(errno) << "\n";
            continue;
        }
        struct stat before {};
        ASSERT_EQ(::lstat(summary.c_str(), &before), 0);

        const Ended ended = Child(dir.path() / "media.txt").wait();

        EXPECT_FALSE(ended.blocked);
        EXPECT_EQ(ended.exitStatus, 2);
        EXPECT_THAT(ended.output,
                    HasSubstr(StopMessage("Cannot create the summary file \"" + summary.string() +
                                          "\": it is not a regular file.\n")));
        struct stat after {};
        ASSERT_EQ(::lstat(summary.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        fs::remove(summary);
        fs::remove(dir.path() / "fifo");
        EXPECT_THAT(Names(dir.path()), ElementsAre("media.txt"));
    }
}

TEST_F(Inputs, OverLongLineStopsTheRunAndKeepsTheEarlierSummary) {
    const std::string control = test::ControlLine(Format::M100, {.totalRecord = "00002"});
    const std::string detail = test::DetailLine(Format::M100, {});
    const std::string tooLong(65'537, 'x');
    const struct {
        const char* what;
        std::string bytes;
        std::uintmax_t zerosAfter;
        int line;
    } cases[] = {
        {"a long third line", control + "\r\n" + detail + "\r\n" + tooLong, 0, 3},
        {"a gigabyte of zeros", "", 1ULL << 30, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir folder;
        const fs::path media = folder.path() / "media.txt";
        WriteBytes(media, c.bytes);
        fs::resize_file(media, c.bytes.size() + c.zerosAfter);
        WriteBytes(folder.path() / "012345", std::string(kEarlier));

        const Ended ended = Child(media).wait();

        EXPECT_EQ(ended.exitStatus, 2);
        EXPECT_THAT(ended.output,
                    HasSubstr(StopMessage("The check stopped at line " + std::to_string(c.line) +
                                          ": the line is longer than 65,536 bytes; this is "
                                          "not a media file.\n")));
        EXPECT_THAT(Names(folder.path()), ElementsAre("012345", "media.txt"));
        EXPECT_EQ(ReadBytes(folder.path() / "012345"), kEarlier);
    }
}

// ---------------------------------------------------------------------------
// Permissions: a replaced summary keeps its bits, a new one follows the umask.

TEST(Permissions, ReplacedSummaryKeepsItsBitsAndANewOneFollowsTheUmask) {
    const struct {
        std::optional<mode_t> earlier;
        mode_t umask;
        mode_t expected;
    } cases[] = {{0600, 022, 0600}, {0664, 077, 0664}, {std::nullopt, 027, 0640}, {std::nullopt, 002, 0664}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "earlier " << std::oct << c.earlier.value_or(0) << ", umask " << c.umask);
        TempDir dir;
        WriteMediaFile(dir.path() / "media.txt", 3);
        if (c.earlier) {
            WriteBytes(dir.path() / "012345", std::string(kEarlier));
            fs::permissions(dir.path() / "012345", fs::perms(*c.earlier));
        }
        const mode_t previous = ::umask(c.umask);
        const Ended ended = Child(dir.path() / "media.txt").wait();
        ::umask(previous);

        EXPECT_EQ(ended.exitStatus, 0) << ended.output;
        EXPECT_EQ(Mode(dir.path() / "012345"), c.expected);
    }
}

// As an unprivileged user, to whom the permissions apply.
class AsNobody : public testing::Test {
  protected:
    void SetUp() override {
        if (::getuid() != 0)
            GTEST_SKIP() << "running as another user needs root";
        if (::access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "setpriv is missing (util-linux)";
        fs::permissions(dir.path(), fs::perms(0755));
    }

    static Ended Check(const fs::path& media) {
        ChildOptions options;
        options.prefix = {"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};
        return Child(media, options).wait();
    }

    TempDir dir;
};

TEST_F(AsNobody, UnreadableMediaAndUnwritableFolderAreRunErrors) {
    const struct {
        const char* what;
        mode_t media;
        mode_t folder;
        const char* failure; // on the media file or else on the summary file
        bool onMedia;
    } cases[] = {
        {"unreadable media file", 0600, 0777, "open the input file", true},
        {"folder without write permission", 0644, 0755, "create the summary file", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = dir.path() / c.what;
        fs::create_directory(folder);
        const fs::path media = folder / "media.txt";
        WriteMediaFile(media, 3);
        WriteBytes(folder / "012345", std::string(kEarlier));
        fs::permissions(media, fs::perms(c.media));
        fs::permissions(folder, fs::perms(c.folder));
        const fs::path failed = c.onMedia ? media : folder / "012345";
        const std::string message =
            "Cannot " + std::string(c.failure) + " \"" + failed.string() + "\": Permission denied.";

        const Ended ended = Check(media);

        EXPECT_EQ(ended.exitStatus, 2);
        EXPECT_THAT(ended.output, HasSubstr(StopMessage(message) + "\n"));
        EXPECT_THAT(Names(folder), ElementsAre("012345", "media.txt"));
        EXPECT_EQ(ReadBytes(folder / "012345"), kEarlier);
    }
}

// ---------------------------------------------------------------------------
// A folder marked append-only (chattr +a) takes new names but gives none up:
// replacing the summary file there is refused before any temporary file has
// a name, with the earlier summary as it was.

class AppendOnlyFolder : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        WriteMediaFile(dir.path() / "media.txt", 3);
        WriteBytes(dir.path() / "012345", std::string(kEarlier));
        folder_ = FileDescriptor(::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY));
        int flags = 0;
        if (::ioctl(folder_.get(), FS_IOC_GETFLAGS, &flags) != 0 ||
            (flags |= FS_APPEND_FL, ::ioctl(folder_.get(), FS_IOC_SETFLAGS, &flags)) != 0)
            GTEST_SKIP() << "cannot mark a folder append-only (root, and a file system that can): "
                         << std::strerror(errno);
        marked_ = true;
    }
    void TearDown() override {
        int flags = 0;
        if (marked_ && ::ioctl(folder_.get(), FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_APPEND_FL;
            ::ioctl(folder_.get(), FS_IOC_SETFLAGS, &flags);
        }
    }

    TempDir dir;
    FileDescriptor folder_;
    bool marked_ = false;
};

TEST_P(AppendOnlyFolder, ReplacingLeavesNoTemporaryFile) {
    ChildOptions options;
    if (!GetParam())
        options.environment = {"LD_PRELOAD=" QRV_REFUSE_UNNAMED_FILES,
                               "ASAN_OPTIONS=verify_asan_link_order=0"};
    for (int run = 0; run < 2; ++run) {
        const Ended ended = Child(dir.path() / "media.txt", options).wait();

        EXPECT_EQ(ended.exitStatus, 2);
        EXPECT_THAT(ended.output, HasSubstr(StopMessage("Cannot replace the summary file \"" +
                                                        (dir.path() / "012345").string() +
                                                        "\": Operation not permitted.\n")));
        EXPECT_THAT(Names(dir.path()), ElementsAre("012345", "media.txt"));
        EXPECT_EQ(ReadBytes(dir.path() / "012345"), kEarlier);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, AppendOnlyFolder, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "Unnamed" : "Named";
                         });

// ---------------------------------------------------------------------------
// A full disk: a small tmpfs of our own.

class FullDisk : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(disk());
        if (::mount("qrv-test", disk().c_str(), "tmpfs", 0, "size=2m,mode=0755") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs for a full disk: " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            ::umount2(disk().c_str(), MNT_DETACH);
    }
    fs::path disk() const { return dir.path() / "disk"; }

    TempDir dir;
    bool mounted_ = false;
};

TEST_F(FullDisk, SummaryThatDoesNotFitStopsTheRunAndKeepsTheEarlierOne) {
    const fs::path media = disk() / "media.txt";
    WriteMediaFile(media, 15'000); // 1.2 MB, and as much again for its summary
    WriteBytes(disk() / "012345", std::string(kEarlier));

    const Ended ended = Child(media).wait();

    EXPECT_EQ(ended.exitStatus, 2);
    EXPECT_THAT(ended.output,
                HasSubstr(StopMessage("Cannot write the summary file \"" + (disk() / "012345").string() +
                                      "\": No space left on device.\n")));
    EXPECT_THAT(Names(disk()), ElementsAre("012345", "media.txt"));
    EXPECT_EQ(ReadBytes(disk() / "012345"), kEarlier);
}

TEST_F(FullDisk, WholeFileThatDoesNotFitLeavesTheEarlierOne) {
    const fs::path letter = disk() / "letter.txt";
    WriteBytes(letter, "earlier letter");
    {
        std::ofstream filler(disk() / "filler", std::ios::binary);
        const std::string block(1 << 16, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
    }
    try {
        WriteFileAtomically(letter.string(), std::string(1 << 16, 'l'), "the letter");
        FAIL() << "written on a full disk";
    } catch (const FileError& e) {
        EXPECT_EQ(e.reason(), "No space left on device");
    }
    EXPECT_EQ(ReadBytes(letter), "earlier letter");
    EXPECT_THAT(Names(disk()), ElementsAre("filler", "letter.txt"));
}

// ---------------------------------------------------------------------------
// Carriers that fail in their own ways, through failing_file_calls: a stick
// that takes writes and then loses them fails the flush; FAT through FUSE
// refuses mode changes. Every case also writes a letter into a folder of
// its own.

class Carrier : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(letters());
        WriteMediaFile(media(), 3);
        WriteBytes(summary(), std::string(kEarlier));
        WriteBytes(letter(), "earlier letter");
    }

    fs::path media() const { return dir.path() / "media.txt"; }
    fs::path summary() const { return dir.path() / "012345"; }
    fs::path letters() const { return dir.path() / "letters"; }
    fs::path letter() const { return letters() / "letter.txt"; }

    // qrv-check --letter letter() media(), with `failure` set for the library.
    Ended check(const std::string& failure) const {
        ChildOptions options;
        options.environment = {"LD_PRELOAD=" QRV_FAILING_FILE_CALLS, "ASAN_OPTIONS=verify_asan_link_order=0",
                               failure};
        options.arguments = {"--letter", letter().string()};
        return Child(media(), options).wait();
    }

    TempDir dir;
};

TEST_F(Carrier, AFlushThatFailsIsAWriteFailure) {
    const std::string cannotWriteSummary =
        StopMessage("Cannot write the summary file \"" + summary().string() + "\": Input/output error.");
    const std::string cannotWriteLetter = "qrv-check: no letter written: Cannot write the letter \"" +
                                          letter().string() + "\": Input/output error\n";
    const struct {
        const char* what;
        std::string failure;
        std::vector<std::string> said;
        bool summaryKept; // else the new one is in place
        bool letterKept;
    } cases[] = {
        {"the summary's bytes",
         "QRV_FAIL_FSYNC=" + dir.path().string(),
         {cannotWriteSummary, "qrv-check: no letter written: the summary file could not be written\n"},
         true,
         true},
        {"the summary's name",
         "QRV_FAIL_FSYNC_FOLDER=" + dir.path().string(),
         {cannotWriteSummary, "qrv-check: no letter written: the summary file could not be written\n"},
         false,
         true},
        {"the letter's bytes", "QRV_FAIL_FSYNC=" + letters().string(), {cannotWriteLetter}, false, true},
        {"the letter's name",
         "QRV_FAIL_FSYNC_FOLDER=" + letters().string(),
         {cannotWriteLetter},
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(summary(), std::string(kEarlier));
        WriteBytes(letter(), "earlier letter");

        const Ended ended = check(c.failure);

        EXPECT_EQ(ended.exitStatus, 2);
        for (const std::string& said : c.said)
            EXPECT_THAT(ended.output, HasSubstr(said));
        EXPECT_THAT(Names(dir.path()), ElementsAre("012345", "letters", "media.txt"));
        EXPECT_EQ(ReadBytes(summary()) == kEarlier, c.summaryKept);
        EXPECT_THAT(Names(letters()), ElementsAre("letter.txt"));
        EXPECT_EQ(ReadBytes(letter()) == "earlier letter", c.letterKept);
    }
}

// The file keeps the mode it was made with (0600), and is written all the same.
TEST_F(Carrier, AModeChangeThatIsRefusedIsGoneWithout) {
    for (const char* error : {"ENOSYS", "EOPNOTSUPP", "EPERM"}) {
        SCOPED_TRACE(error);
        const Ended ended = check(std::string("QRV_FAIL_FCHMOD=") + error);

        EXPECT_EQ(ended.exitStatus, 0) << ended.output;
        EXPECT_THAT(ended.output, HasSubstr("Summary file written: " + summary().string() + "\n"));
        EXPECT_NE(ReadBytes(summary()), kEarlier);
        EXPECT_EQ(test::SplitCrLfLines(ReadBytes(letter())).size(), 26u);
    }
}

// ---------------------------------------------------------------------------
// A second path to the summary file's folder, which only the file's identity
// shows once it exists: the letter must not replace the summary just written.

class BindMount : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(original());
        fs::create_directory(second());
        if (::mount(original().c_str(), second().c_str(), nullptr, MS_BIND, nullptr) != 0)
            GTEST_SKIP() << "cannot bind-mount a folder (root only): " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            ::umount2(second().c_str(), MNT_DETACH);
    }
    fs::path original() const { return dir.path() / "a"; }
    fs::path second() const { return dir.path() / "b"; }

    TempDir dir;
    bool mounted_ = false;
};

TEST_F(BindMount, TheLetterNeverReplacesTheSummaryJustWritten) {
    WriteMediaFile(original() / "pay.txt", 3);
    ChildOptions options;
    options.arguments = {"--letter", (second() / "012345").string()};

    const Ended ended = Child(original() / "pay.txt", options).wait();

    EXPECT_EQ(ended.exitStatus, 2);
    EXPECT_THAT(ended.output, HasSubstr("qrv-check: no letter written: --letter " +
                                        (second() / "012345").string() + " is the summary file " +
                                        (original() / "012345").string() + " of the media file\n"));
    EXPECT_THAT(Names(original()), ElementsAre("012345", "pay.txt"));
    EXPECT_EQ(test::SplitCrLfLines(ReadBytes(original() / "012345")).size(), 4u);
}

} // namespace
} // namespace qrv
