#include "core/files.h"

#include "core/file_error.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qrv {

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0)
        ::close(fd_);
}

void FileDescriptor::close(const FileUse& use) {
    // Linux frees the descriptor even when close reports EINTR; only the
    // other failures mean that written data may be lost.
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR)
        ThrowFileError(use);
}

bool DescriptorIsOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}

const char* const kNullDevice = "/dev/null";

std::optional<bool> SameExistingFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return std::nullopt;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void UseBinaryStandardStreams() {}

FileDescriptor OpenFile(const FileUse& use, int flags, mode_t mode, Links links) {
    const std::string path(use.path);
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        ThrowFileError(use);
    return FileDescriptor(fd);
}

namespace {

[[noreturn]] void ThrowNotRegular(const FileUse& use) {
    throw FileError(std::string(use.action), std::string(use.path), "it is not a regular file");
}

} // namespace

FileDescriptor OpenRegularFile(const FileUse& use, Links links) {
    FileDescriptor file;
    try {
        // Without O_NONBLOCK, opening a FIFO would wait for a writer.
        file = OpenFile(use, O_RDONLY | O_NONBLOCK | O_NOCTTY, 0, links);
    } catch (const FileError&) {
        if (errno == ENXIO) // a socket, or a device without a driver
            ThrowNotRegular(use);
        throw;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        ThrowFileError(use);
    if (!S_ISREG(info.st_mode))
        ThrowNotRegular(use);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        ThrowFileError(use);
    return file;
}

void WriteAll(int fd, std::string_view bytes, const FileUse& use) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            ThrowFileError(use);
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
}

std::size_t ReadUpTo(int fd, char* into, std::size_t size, const FileUse& use) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, into + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowFileError(use);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

mode_t ModeForReplacing(const std::string& path) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 0777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

namespace {

// Named temporary files, removed when SIGINT, SIGTERM or SIGHUP ends the
// program. The signal handler reads these slots, so a slot's path is
// complete before the slot is marked used.
struct RemovalSlot {
    volatile std::sig_atomic_t used = 0;
    char path[PATH_MAX] = {};
};
std::array<RemovalSlot, 16> gRemovals;
constexpr std::array kRemovalSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporaryFilesAndEnd(int signal) {
    for (const RemovalSlot& slot : gRemovals)
        if (slot.used)
            ::unlink(slot.path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// A program that ignores or handles one of the signals itself keeps that.
void InstallRemovalHandlers() {
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    for (const int signal : kRemovalSignals) {
        struct sigaction earlier {};
        if (::sigaction(signal, nullptr, &earlier) != 0 || earlier.sa_handler != SIG_DFL)
            continue;
        struct sigaction removal {};
        removal.sa_handler = RemoveTemporaryFilesAndEnd;
        sigfillset(&removal.sa_mask);
        ::sigaction(signal, &removal, nullptr);
    }
}

// The slot now holding `path`, or -1 (with errno set) when none is free.
int RemoveOnSignal(const std::string& path) {
    InstallRemovalHandlers();
    for (std::size_t i = 0; i < gRemovals.size(); ++i) {
        RemovalSlot& slot = gRemovals[i];
        if (slot.used)
            continue;
        if (path.size() >= sizeof slot.path) {
            errno = ENAMETOOLONG;
            return -1;
        }
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used = 1;
        return static_cast<int>(i);
    }
    errno = EMFILE;
    return -1;
}

void KeepOnSignal(int slot) {
    if (slot >= 0)
        gRemovals[static_cast<std::size_t>(slot)].used = 0;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// path.XXXXXX, the X a random letter or digit.
std::string TemporaryName(const std::string& path) {
    constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::array<unsigned char, 6> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size()))
        random.fill(static_cast<unsigned char>(::getpid()));
    std::string name = path + ".";
    for (const unsigned char r : random)
        name += kAlphabet[r % kAlphabet.size()];
    return name;
}

// Gives the unnamed file open at `fd` the name `name`; false with errno set
// when it cannot.
bool LinkUnnamedFile(int fd, const std::string& name) {
    char procPath[32];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Without /proc; this needs the right to open any file by its inode.
    return errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Puts the file named `from` in the place of `to`; `from` is gone afterwards.
// A plain rename over an existing file makes ext4 write the whole new file
// out before it returns; exchanging the names is just as atomic for readers
// of `to` and does not wait for the disk. Anything but a regular file at
// `to`, a symbolic link included, is replaced itself.
bool Replace(const std::string& from, const std::string& to) {
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

PendingFile::PendingFile(std::string path, std::string name)
    : path_(std::move(path)), name_(std::move(name)) {
    const int fd = ::open(FolderOf(path_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        fd_ = FileDescriptor(fd);
        return;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        fail("create");
    // The file system keeps no unnamed files.
    nameTemporarily("create", [this](const std::string& candidate) {
        const int named = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (named >= 0)
            fd_ = FileDescriptor(named);
        return named >= 0;
    });
}

PendingFile::~PendingFile() {
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    KeepOnSignal(removalSlot_);
}

void PendingFile::fail(std::string_view verb) const {
    FileError::FromErrno(std::string(verb) + " " + name_, path_);
}

void PendingFile::write(std::string_view bytes) {
    const std::string action = "write " + name_;
    WriteAll(fd_.get(), bytes, {action, path_});
}

void PendingFile::commit() {
    if (::fchmod(fd_.get(), ModeForReplacing(path_)) != 0)
        fail("write");
    if (tempPath_.empty())
        nameUnnamedFile();
    if (!tempPath_.empty())
        commitNamedFile();
}

// Gives the file a free name path.XXXXXX through `place`, which creates or
// links it there and answers false, with errno set, when it cannot.
void PendingFile::nameTemporarily(std::string_view verb,
                                  const std::function<bool(const std::string&)>& place) {
    for (;;) {
        std::string candidate = TemporaryName(path_);
        const int slot = RemoveOnSignal(candidate);
        if (slot < 0)
            fail(verb);
        if (place(candidate)) {
            tempPath_ = std::move(candidate);
            removalSlot_ = slot;
            return;
        }
        const int error = errno;
        KeepOnSignal(slot);
        errno = error;
        if (error != EEXIST)
            fail(verb);
    }
}

// The final name straight away when it is free; otherwise a temporary name
// beside the earlier file, which commitNamedFile then swaps in.
void PendingFile::nameUnnamedFile() {
    if (LinkUnnamedFile(fd_.get(), path_)) {
        closeFile();
        return;
    }
    if (errno != EEXIST)
        fail("replace");
    nameTemporarily("replace",
                    [this](const std::string& candidate) { return LinkUnnamedFile(fd_.get(), candidate); });
}

void PendingFile::closeFile() {
    const std::string action = "write " + name_;
    fd_.close({action, path_});
}

void PendingFile::commitNamedFile() {
    closeFile();
    if (!Replace(tempPath_, path_))
        fail("replace");
    tempPath_.clear();
    KeepOnSignal(std::exchange(removalSlot_, -1));
}

} // namespace qrv
