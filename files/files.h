// Files through their descriptors: one owner of a descriptor, whole reads and
// writes that ride out interruptions, and files that appear whole or not at all.
#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qrv {

// What a file is being used for, to name it in the FileError of a failure:
// {"write the summary file", "/home/ann/012345"}.
struct FileUse {
    std::string_view action;
    std::string_view path;
};

// An open file descriptor, closed when destroyed.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closes it now, where a late write failure can still be reported.
    void close(const FileUse& use);

  private:
    int fd_ = -1;
};

// Whether a symbolic link at the path is followed or refused.
enum class Links { Follow, Refuse };

// Whether the descriptor `fd` names an open file.
bool DescriptorIsOpen(int fd);

// The device that reads as empty and takes every write: "/dev/null", "NUL".
extern const char* const kNullDevice;

// Whether both paths name one existing file, whatever links or spellings
// lead there; nothing when either cannot be looked at.
std::optional<bool> SameExistingFile(const std::string& a, const std::string& b);

// The folder part of `path` with its last separator: "/home/ann/" of
// "/home/ann/jan.txt"; on Windows also "C:\pay\" of "C:\pay\jan.txt" and "C:" of
// "C:jan.txt". Empty for a name in the current folder.
std::string_view FolderPart(std::string_view path);

// The root of a network path, its share and the separator after it:
// "\\server\share\" of "\\server\share\pay\jan.txt" (on Windows "//server/share/"
// of "//server/share/pay/jan.txt" too); nothing for any other path.
std::optional<std::string> NetworkShareRoot(std::string_view path);

// The path of the running program's file, as the system names it; empty
// when the system does not say.
std::string RunningProgramPath();

// Standard output and error carry bytes as written: no LF becomes CR LF.
void UseBinaryStandardStreams();

// On Windows, std::cout and std::cerr where they are a console window write
// their UTF-8 text there as UTF-16 (WriteConsoleW), so that Thai reads as
// Thai whatever the console's code page; files and pipes keep the bytes.
// Call after std::ios::sync_with_stdio, which replaces the streams' buffers.
void UseWideConsoles();

// The arguments after the program's name, as UTF-8: on Windows from the wide
// command line, which carries any file name whatever the code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// open(2) of `use.path` (O_RDONLY, O_WRONLY, O_CREAT, O_TRUNC, O_EXCL), in
// binary mode; throws the FileError of `use` when it fails.
FileDescriptor OpenFile(const FileUse& use, int flags, mode_t mode = 0, Links links = Links::Follow);

// Opens a regular file for reading; anything else (a FIFO, a device, a
// socket, a folder) is refused before a byte is read, and without waiting
// for a writer at the other end of a FIFO.
FileDescriptor OpenRegularFile(const FileUse& use, Links links = Links::Follow);

// Writes all of `bytes`.
void WriteAll(int fd, std::string_view bytes, const FileUse& use);
// Reads until `size` bytes are in or the file ends; answers how many.
std::size_t ReadUpTo(int fd, char* into, std::size_t size, const FileUse& use);

// A write past the file size limit (ulimit -f) fails with EFBIG, reported as
// any other write failure, instead of SIGXFSZ ending the program; a program
// that handles the signal itself keeps that. PendingFile calls it.
void ReportFileSizeLimitAsError();

// The folder for temporary files: TMPDIR when it is set, else /tmp (on
// Windows, the user's temporary folder).
std::string TemporaryFolder();

// The value of the environment variable `name`, empty when it is not set: on
// Windows as UTF-8 from the wide environment, which carries a Thai user
// folder whatever the code page.
std::string EnvironmentValue(const char* name);

// A new file in `folder` for reading and appending that nobody else can
// open and that goes when closed: unnamed (O_TMPFILE), or where the file
// system keeps no unnamed files, a name removed at once. Throws the
// FileError of `use`.
FileDescriptor OpenUnnamedFile(const std::string& folder, const FileUse& use);

// Moves the descriptor to `offset` bytes from the start of its file.
void SeekTo(int fd, std::uint64_t offset, const FileUse& use);
// The size of the open file, in bytes.
std::uint64_t FileSize(int fd, const FileUse& use);

// The permission bits a file written to `path` gets: those of the regular
// file it replaces, or 0666 less the umask for a new one.
mode_t ModeForReplacing(const std::string& path);

// A file that gets its name only when it is committed. Until then it is
// unnamed (O_TMPFILE) in the folder of its path, or, where the file system
// cannot do that, named .qrv-XXXXXX in that folder (a short name, however
// long the path's) and removed when SIGINT, SIGTERM or SIGHUP ends the
// program; either way mode 0600. Destroyed uncommitted, it leaves nothing
// behind and any earlier file at the path as it was. Only a regular file, a
// symbolic link (replaced itself) or nothing may stand at the path: a
// device, FIFO or socket, or a link to one, is refused and left alone, as is
// a folder. Where the folder lets files be added but not removed
// (append-only), replacing is refused before any name is made.
class PendingFile {
  public:
    // `name` names the file in errors: "the summary file" gives "Cannot
    // create the summary file", "Cannot write the summary file" and so on.
    PendingFile(std::string path, std::string name);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    void write(std::string_view bytes);
    // Puts the file at its path with the mode ModeForReplacing gives (where
    // the file system keeps modes), replacing an earlier file in one step for
    // anyone who opens the path. Its bytes reach the disk before it takes the
    // name, and on POSIX systems the name before commit returns: a disk that
    // fails to take either is a write failure.
    void commit();

    const std::string& path() const { return path_; }

  private:
    // What one platform's side alone keeps of the file (files_posix.cpp,
    // files_windows.cpp).
    struct Platform;

    [[noreturn]] void fail(std::string_view verb) const;
    void closeFile();

    std::string path_;
    std::string name_;
    FileDescriptor fd_;
    std::string tempPath_; // empty while unnamed
    std::unique_ptr<Platform> platform_;
};

// What a file is to hold: a text, or the pieces a producer hands over one
// after the other, so that a large file never has to be in memory whole.
class Bytes {
  public:
    using Sink = std::function<void(std::string_view piece)>;

    template <class Text>
    requires std::convertible_to<const Text&, std::string_view>
    Bytes(const Text& text) // implicit: every text is bytes
        : produce_([view = std::string_view(text)](const Sink& sink) { sink(view); }) {}
    explicit Bytes(std::function<void(const Sink&)> produce) : produce_(std::move(produce)) {}

    void writeTo(const Sink& sink) const { produce_(sink); }

  private:
    std::function<void(const Sink&)> produce_;
};

// Creates or replaces `path` with a file holding exactly `bytes`, through a
// PendingFile: a failure leaves any earlier file as it was and nothing else.
// `name` names the file in errors, as for PendingFile.
void WriteFileAtomically(const std::string& path, const Bytes& bytes, std::string name);

// Writes `bytes` to the path a user chose to save to. Nothing there, a
// regular file or a symbolic link to one: created or replaced whole by
// WriteFileAtomically (through a link, its target is replaced and the link
// stays). A device, a FIFO or a link to one (/dev/null, /dev/stdout): written
// into as a stream, as cp does, never removed or renamed over; so is the
// regular file that the program's standard output or error goes to, after
// what is already in it, and flushed to the disk. A FIFO that nobody reads, a socket, a folder or a
// link to nothing are refused. Throws FileError.
void SaveFile(const std::string& path, const Bytes& bytes, std::string name);

} // namespace qrv
