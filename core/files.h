// Files through their descriptors: one owner of a descriptor, whole reads and
// writes that ride out interruptions, and files that appear whole or not at all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace qrv {

// What a file is being used for, to name it in the FileError of a failure:
// {"write the summary file", "/home/ann/012345"}.
struct FileUse {
    std::string_view action;
    std::string_view path;
};

// Throws the FileError of `use` whose reason is the system's text for errno.
[[noreturn]] void ThrowFileError(const FileUse& use);

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

// Standard output and error carry bytes as written: no LF becomes CR LF.
void UseBinaryStandardStreams();

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
// Reads from where the descriptor stands to the end of the file.
std::string ReadAll(int fd, const FileUse& use);

// The permission bits a file written to `path` gets: those of the regular
// file it replaces, or 0666 less the umask for a new one.
mode_t ModeForReplacing(const std::string& path);

// A file that gets its name only when it is committed. Until then it is
// unnamed (O_TMPFILE) in the folder of its path, or, where the file system
// cannot do that, named path.XXXXXX and removed when SIGINT, SIGTERM or
// SIGHUP ends the program; either way mode 0600. Destroyed uncommitted, it
// leaves nothing behind and any earlier file at the path as it was.
class PendingFile {
  public:
    // `name` names the file in errors: "the summary file" gives "Cannot
    // create the summary file", "Cannot write the summary file" and so on.
    PendingFile(std::string path, std::string name);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    void write(std::string_view bytes);
    // Puts the file at its path with the mode ModeForReplacing gives,
    // replacing an earlier file in one step for anyone who opens the path.
    void commit();

    const std::string& path() const { return path_; }

  private:
    [[noreturn]] void fail(std::string_view verb) const;
    void nameTemporarily(std::string_view verb, const std::function<bool(const std::string&)>& place);
    void closeFile();
    void nameUnnamedFile();
    void commitNamedFile();

    std::string path_;
    std::string name_;
    FileDescriptor fd_;
    std::string tempPath_; // empty while unnamed
    int removalSlot_ = -1; // where tempPath_ waits to be removed on a signal
};

// Creates or replaces `path` with a file holding exactly `bytes`, through a
// PendingFile: a failure leaves any earlier file as it was and nothing else.
// `name` names the file in errors, as for PendingFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes, std::string name);

} // namespace qrv
