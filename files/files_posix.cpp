#include "files/files.h"

#include "files/file_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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
        FileError::FromErrno(use.action, use.path);
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
        FileError::FromErrno(use.action, use.path);
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
        FileError::FromErrno(use.action, use.path);
    if (!S_ISREG(info.st_mode))
        ThrowNotRegular(use);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        FileError::FromErrno(use.action, use.path);
    return file;
}

void WriteAll(int fd, std::string_view bytes, const FileUse& use) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            FileError::FromErrno(use.action, use.path);
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
            FileError::FromErrno(use.action, use.path);
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

void ReportFileSizeLimitAsError() {
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    struct sigaction earlier {};
    if (::sigaction(SIGXFSZ, nullptr, &earlier) == 0 && earlier.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

void UseWideConsoles() {}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

std::string RunningProgramPath() {
    std::string path(4096, '\0');
    const ssize_t size = ::readlink("/proc/self/exe", path.data(), path.size());
    path.resize(size > 0 && static_cast<std::size_t>(size) < path.size() ? static_cast<std::size_t>(size)
                                                                         : 0);
    return path;
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

namespace {

// A name in a folder: .qrv-XXXXXX, the X a random letter or digit. Short
// and fixed, so that it fits wherever the file it stands in for fits.
std::string TemporaryName() {
    constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::array<unsigned char, 6> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size()))
        random.fill(static_cast<unsigned char>(::getpid()));
    std::string name = ".qrv-";
    for (const unsigned char r : random)
        name += kAlphabet[r % kAlphabet.size()];
    return name;
}

bool FileSystemKeepsNoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Keeping the earlier file's mode is a courtesy that a carrier without modes
// (FAT through FUSE) or one that forbids changing them may refuse.
bool ModeChangeRefused(int error) {
    return error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// Waits until what was written to `fd` is on the disk; false, with errno
// set, when the disk failed to take it. A FIFO, a device and a file system
// that can flush nothing answer EINVAL or EOPNOTSUPP: nothing waits there.
bool FlushToDisk(int fd) {
    int flushed;
    do
        flushed = ::fsync(fd);
    while (flushed != 0 && errno == EINTR);
    return flushed == 0 || errno == EINVAL || errno == EOPNOTSUPP;
}

} // namespace

FileDescriptor OpenUnnamedFile(const std::string& folder, const FileUse& use) {
    constexpr int kFlags = O_RDWR | O_APPEND | O_CLOEXEC;
    const int fd = ::open(folder.c_str(), O_TMPFILE | kFlags, 0600);
    if (fd >= 0)
        return FileDescriptor(fd);
    if (!FileSystemKeepsNoUnnamedFiles(errno))
        FileError::FromErrno(use.action, use.path);
    for (;;) {
        const std::string name = folder + "/" + TemporaryName();
        FileDescriptor file(::open(name.c_str(), O_CREAT | O_EXCL | kFlags, 0600));
        if (!file.isOpen() && errno == EEXIST)
            continue;
        if (!file.isOpen() || ::unlink(name.c_str()) != 0)
            FileError::FromErrno(use.action, use.path);
        return file;
    }
}

void SeekTo(int fd, std::uint64_t offset, const FileUse& use) {
    const auto position = static_cast<off_t>(offset);
    if (::lseek(fd, position, SEEK_SET) != position)
        FileError::FromErrno(use.action, use.path);
}

std::uint64_t FileSize(int fd, const FileUse& use) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        FileError::FromErrno(use.action, use.path);
    return static_cast<std::uint64_t>(info.st_size);
}

namespace {

// Named temporary files, removed when SIGINT, SIGTERM or SIGHUP ends the
// program. The signal handler reads these slots, so a slot is complete
// before it is marked used.
struct RemovalSlot {
    volatile std::sig_atomic_t used = 0;
    int folder = -1;
    char name[NAME_MAX + 1] = {};
};
std::array<RemovalSlot, 16> gRemovals;
constexpr std::array kRemovalSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporaryFilesAndEnd(int signal) {
    for (const RemovalSlot& slot : gRemovals)
        if (slot.used)
            ::unlinkat(slot.folder, slot.name, 0);
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

// The slot now holding `name` in `folder`, or -1 (with errno set) when none is free.
int RemoveOnSignal(int folder, const std::string& name) {
    InstallRemovalHandlers();
    for (std::size_t i = 0; i < gRemovals.size(); ++i) {
        RemovalSlot& slot = gRemovals[i];
        if (slot.used)
            continue;
        slot.folder = folder;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
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

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Gives the unnamed file open at `fd` the name `name` in `folder`; false
// with errno set when it cannot.
bool LinkUnnamedFile(int fd, int folder, const std::string& name) {
    char procPath[32];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Without /proc; this needs the right to open any file by its inode.
    return errno == ENOENT && ::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Puts the file named `from` in the place of `to`, both in `folder`; `from`
// is gone afterwards. A plain rename over an existing file makes ext4 write
// the whole new file out before it returns; exchanging the names is just as
// atomic for readers of `to` and does not wait for the disk. A symbolic link
// at `to` is replaced itself.
bool Replace(int folder, const std::string& from, const std::string& to) {
    struct stat existing {};
    if (::fstatat(folder, to.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(existing.st_mode) &&
        ::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlinkat(folder, from.c_str(), 0);
        return true;
    }
    return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0;
}

} // namespace

// The folder the file goes into, where every name is made relative to it so
// that a path near the system's limit can still be replaced, and the slot in
// which a named temporary file waits to be removed on a signal.
struct PendingFile::Platform {
    explicit Platform(PendingFile& owner) : file(owner), baseName(BaseNameOf(owner.path_)) {}

    void refuseUnlessReplaceable() const;
    void refuseUnlessRemovable() const;
    void nameTemporarily(std::string_view verb, const std::function<bool(const std::string&)>& place);
    void nameUnnamedFile();
    void commitNamedFile();
    void flushFolder() const;

    PendingFile& file;
    FileDescriptor folder;
    std::string baseName;
    int removalSlot = -1;
};

PendingFile::PendingFile(std::string path, std::string name)
    : path_(std::move(path)), name_(std::move(name)), platform_(std::make_unique<Platform>(*this)) {
    ReportFileSizeLimitAsError();
    platform_->folder = FileDescriptor(::open(FolderOf(path_).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!platform_->folder.isOpen())
        fail("create");
    platform_->refuseUnlessReplaceable();
    const int fd = ::open(FolderOf(path_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        fd_ = FileDescriptor(fd);
        return;
    }
    if (!FileSystemKeepsNoUnnamedFiles(errno))
        fail("create");
    // A named file must be renamed into place, so the folder must let names go.
    platform_->refuseUnlessRemovable();
    platform_->nameTemporarily("create", [this](const std::string& candidate) {
        const int named = ::openat(platform_->folder.get(), candidate.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (named >= 0)
            fd_ = FileDescriptor(named);
        return named >= 0;
    });
}

PendingFile::~PendingFile() {
    if (!tempPath_.empty())
        ::unlinkat(platform_->folder.get(), tempPath_.c_str(), 0);
    KeepOnSignal(platform_->removalSlot);
}

// A device, FIFO or socket at the path, or at the end of a link there, is
// someone else's; so is a folder.
void PendingFile::Platform::refuseUnlessReplaceable() const {
    struct stat existing {};
    if (::fstatat(folder.get(), baseName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (S_ISDIR(existing.st_mode)) {
        errno = EISDIR;
        file.fail("replace");
    }
    if (S_ISLNK(existing.st_mode) && ::fstatat(folder.get(), baseName.c_str(), &existing, 0) != 0)
        return; // a link to nothing is replaced itself
    if (!S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode))
        throw FileError("create " + file.name_, file.path_, "it is not a regular file");
}

// A folder marked append-only or immutable lets no name be removed: a named
// temporary file could be neither renamed into place nor taken away again.
void PendingFile::Platform::refuseUnlessRemovable() const {
    struct statx attributes {};
    if (::statx(folder.get(), "", AT_EMPTY_PATH, 0, &attributes) != 0)
        return;
    if ((attributes.stx_attributes & (STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE)) != 0) {
        errno = EPERM;
        file.fail("replace");
    }
}

// Data and name both reach the disk before the file counts as written: a
// stick that accepts writes and then loses them says so here.
void PendingFile::commit() {
    if (::fchmod(fd_.get(), ModeForReplacing(path_)) != 0 && !ModeChangeRefused(errno))
        fail("write");
    if (!FlushToDisk(fd_.get()))
        fail("write");
    if (tempPath_.empty())
        platform_->nameUnnamedFile();
    if (!tempPath_.empty())
        platform_->commitNamedFile();
    platform_->flushFolder();
}

// The folder's new entry. A folder that may be written but not read cannot
// be opened to be flushed; its entry goes to the disk as the system sees fit.
void PendingFile::Platform::flushFolder() const {
    const FileDescriptor listing(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing.isOpen() && errno == EACCES)
        return;
    if (!listing.isOpen() || !FlushToDisk(listing.get()))
        file.fail("write");
}

// Gives the file a free name .qrv-XXXXXX in the folder through `place`, which
// creates or links it there and answers false, with errno set, when it cannot.
void PendingFile::Platform::nameTemporarily(std::string_view verb,
                                            const std::function<bool(const std::string&)>& place) {
    for (;;) {
        std::string candidate = TemporaryName();
        const int slot = RemoveOnSignal(folder.get(), candidate);
        if (slot < 0)
            file.fail(verb);
        if (place(candidate)) {
            file.tempPath_ = std::move(candidate);
            removalSlot = slot;
            return;
        }
        const int error = errno;
        KeepOnSignal(slot);
        errno = error;
        if (error != EEXIST)
            file.fail(verb);
    }
}

// The final name straight away when it is free; otherwise a temporary name
// beside the earlier file, which commitNamedFile then swaps in.
void PendingFile::Platform::nameUnnamedFile() {
    if (LinkUnnamedFile(file.fd_.get(), folder.get(), baseName)) {
        file.closeFile();
        return;
    }
    if (errno != EEXIST)
        file.fail("replace");
    refuseUnlessRemovable();
    nameTemporarily("replace", [this](const std::string& candidate) {
        return LinkUnnamedFile(file.fd_.get(), folder.get(), candidate);
    });
}

void PendingFile::Platform::commitNamedFile() {
    file.closeFile();
    if (!Replace(folder.get(), file.tempPath_, baseName))
        file.fail("replace");
    file.tempPath_.clear();
    KeepOnSignal(std::exchange(removalSlot, -1));
}

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `target` is where standard output or error goes.
bool IsStandardStream(const struct stat& target) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && SameFile(stream, target))
            return true;
    }
    return false;
}

// Writes into what is at `path` without replacing it, as cp does; a regular
// file gets the bytes after what it holds.
void WriteToStream(const std::string& path, const struct stat& target, const Bytes& bytes,
                   const std::string& name) {
    const std::string action = "write " + name;
    const FileUse use{action, path};
    const int append = S_ISREG(target.st_mode) ? O_APPEND : 0;
    FileDescriptor file;
    try {
        // Without O_NONBLOCK, opening a FIFO would wait for a reader.
        file = OpenFile(use, O_WRONLY | O_NOCTTY | O_NONBLOCK | append);
    } catch (const FileError&) {
        if (errno == ENXIO)
            throw FileError(action, path,
                            S_ISSOCK(target.st_mode) ? "it is a socket" : "nothing reads from it");
        throw;
    }
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        FileError::FromErrno(use.action, use.path);
    bytes.writeTo([&](std::string_view piece) { WriteAll(file.get(), piece, use); });
    if (!FlushToDisk(file.get()))
        FileError::FromErrno(use.action, use.path);
    file.close(use);
}

// The file at the end of the link `path`, by a path without links.
std::string LinkTarget(const std::string& path, const std::string& name) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        FileError::FromErrno("write " + name, path);
    std::string target(resolved);
    std::free(resolved);
    return target;
}

} // namespace

void SaveFile(const std::string& path, const Bytes& bytes, std::string name) {
    struct stat link {};
    struct stat target {};
    if (::lstat(path.c_str(), &link) != 0) {
        WriteFileAtomically(path, bytes, std::move(name));
        return;
    }
    if (::stat(path.c_str(), &target) != 0)
        FileError::FromErrno("write " + name, path); // a link to nothing
    if (S_ISDIR(target.st_mode)) {
        errno = EISDIR;
        FileError::FromErrno("replace " + name, path);
    }
    if (!S_ISREG(target.st_mode) || IsStandardStream(target))
        WriteToStream(path, target, bytes, name);
    else if (S_ISLNK(link.st_mode))
        WriteFileAtomically(LinkTarget(path, name), bytes, std::move(name));
    else
        WriteFileAtomically(path, bytes, std::move(name));
}

} // namespace qrv
