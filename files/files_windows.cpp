// The file layer on Windows: the C runtime's descriptors, always in binary
// mode (text mode would end a read at a 0x1A byte and turn LF into CR LF),
// paths as UTF-16, and replacing a file by MoveFileExW.
#include "files/files.h"

#include "files/file_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <random>
#include <streambuf>
#include <sys/stat.h>
#include <utility>
#include <windows.h>
// After windows.h, whose declarations it needs.
#include <shellapi.h>

namespace qrv {

namespace {

// The C runtime moves at most INT_MAX bytes in one call.
constexpr std::size_t kLargestTransfer = 1u << 30;

// The errno closest to a Windows error, so that FileError says it as the
// POSIX side does.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    default:
        return EIO;
    }
}

// The Windows error an errno of the C runtime stands for, where one does.
DWORD WindowsErrorOf(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EROFS:
        return ERROR_WRITE_PROTECT;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EILSEQ:
        return ERROR_NO_UNICODE_TRANSLATION;
    case EMFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    default:
        return ERROR_SUCCESS;
    }
}

// The UTF-8 form of a UTF-16 path.
std::string Narrow(const std::wstring& path) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), narrow.data(), size,
                          nullptr, nullptr);
    return narrow;
}

// Windows' text for `error` in the user's language, without its full stop
// and line end; empty where Windows has none.
std::string WindowsErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD size = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (size == 0)
        return {};
    std::wstring wide(text, size);
    ::LocalFree(text);
    while (!wide.empty() &&
           (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ' || wide.back() == L'.'))
        wide.pop_back();
    return Narrow(wide);
}

[[noreturn]] void ThrowLastError(const FileUse& use) {
    const DWORD error = ::GetLastError();
    std::string text = WindowsErrorText(error);
    errno = ErrnoOf(error);
    if (text.empty())
        FileError::FromErrno(use.action, use.path);
    throw FileError(std::string(use.action), std::string(use.path), std::move(text), errno);
}

// The UTF-16 form of a UTF-8 path; text that is no UTF-8 names no file.
std::wstring Widen(std::string_view path, const FileUse& use) {
    if (path.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                           static_cast<int>(path.size()), nullptr, 0);
    if (size == 0) {
        errno = EILSEQ;
        FileError::FromErrno(use.action, use.path);
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                          wide.data(), size);
    return wide;
}

[[noreturn]] void ThrowNotRegular(const FileUse& use) {
    throw FileError(std::string(use.action), std::string(use.path), "it is not a regular file");
}

HANDLE HandleOf(const FileDescriptor& file) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(file.get()));
}

// Whether closing the file deletes it: set while it is pending, so that a
// program that ends any way at all leaves no temporary file behind.
bool DeleteWhenClosed(HANDLE file, bool deleted) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// `folder` (empty or ending in a separator) and .qrv-XXXXXX, the X a random
// letter or digit: a short fixed name, so that it fits wherever the file it
// stands in for fits.
std::string TemporaryName(const std::string& folder) {
    constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string name = folder + ".qrv-";
    for (int i = 0; i < 6; ++i)
        name += kAlphabet[pick(random)];
    return name;
}

// Moves `from` over `to`. A virus scanner or indexer may hold a new file
// for a moment; such a refusal is tried again a few times.
bool MoveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        if (attempt == 4 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            return false;
        ::Sleep(50);
        ::SetLastError(error);
    }
}

// The attributes a file replacing this one keeps: those the user set.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A link or junction at the path, which Links::Refuse turns down.
void RefuseLink(const std::wstring& path, const FileUse& use) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        throw FileError(std::string(use.action), std::string(use.path), "it is a link");
}

} // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0)
        ::_close(fd_);
}

void FileDescriptor::close(const FileUse& use) {
    if (::_close(std::exchange(fd_, -1)) != 0)
        FileError::FromErrno(use.action, use.path);
}

bool DescriptorIsOpen(int fd) {
    return ::_get_osfhandle(fd) != -1;
}

const char* const kNullDevice = "NUL";

namespace {

// The volume and the file's index on it; nothing when it cannot be opened.
std::optional<std::array<DWORD, 3>> FileIdentity(const std::string& path) {
    const std::wstring wide = Widen(path, {"look at", path});
    const HANDLE file = ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known)
        return std::nullopt;
    return std::array<DWORD, 3>{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

} // namespace

std::optional<bool> SameExistingFile(const std::string& a, const std::string& b) {
    try {
        const auto first = FileIdentity(a);
        const auto second = FileIdentity(b);
        if (!first || !second)
            return std::nullopt;
        return *first == *second;
    } catch (const FileError&) { // a path that is no UTF-8
        return std::nullopt;
    }
}

void ReportFileSizeLimitAsError() {}

std::string SystemErrorText(int error) {
    const DWORD windows = WindowsErrorOf(error);
    std::string text = windows == ERROR_SUCCESS ? std::string() : WindowsErrorText(windows);
    return text.empty() ? std::strerror(error) : text;
}

std::string RunningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size == 0)
            return {};
        if (size < path.size()) {
            path.resize(size);
            return Narrow(path);
        }
        path.resize(path.size() * 2); // a long path (\\?\...) was cut short
    }
}

std::string TemporaryFolder() {
    std::wstring folder(MAX_PATH + 1, L'\0');
    const DWORD size = ::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    folder.resize(size <= folder.size() ? size : 0);
    return Narrow(folder);
}

std::string EnvironmentValue(const char* name) {
    const std::wstring wideName(name, name + std::strlen(name));
    const wchar_t* value = ::_wgetenv(wideName.c_str());
    return value ? Narrow(value) : "";
}

// Marked to be deleted when closed, which the C runtime's _O_TEMPORARY does.
FileDescriptor OpenUnnamedFile(const std::string& folder, const FileUse& use) {
    const bool separated = folder.empty() || folder.ends_with('\\') || folder.ends_with('/');
    for (;;) {
        const std::wstring name = Widen(TemporaryName(separated ? folder : folder + "\\"), use);
        const int fd = ::_wopen(
            name.c_str(), _O_CREAT | _O_EXCL | _O_RDWR | _O_APPEND | _O_BINARY | _O_TEMPORARY | _O_NOINHERIT,
            _S_IREAD | _S_IWRITE);
        if (fd >= 0)
            return FileDescriptor(fd);
        if (errno != EEXIST)
            FileError::FromErrno(use.action, use.path);
    }
}

void SeekTo(int fd, std::uint64_t offset, const FileUse& use) {
    const auto position = static_cast<__int64>(offset);
    if (::_lseeki64(fd, position, SEEK_SET) != position)
        FileError::FromErrno(use.action, use.path);
}

std::uint64_t FileSize(int fd, const FileUse& use) {
    struct _stat64 info {};
    if (::_fstat64(fd, &info) != 0)
        FileError::FromErrno(use.action, use.path);
    return static_cast<std::uint64_t>(info.st_size);
}

namespace {

// A console window's stream: UTF-8 text turned into UTF-16 for WriteConsoleW
// up to its last whole character, the rest kept for the next write.
class ConsoleBuffer : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            pending_ += traits_type::to_char_type(c);
        return pending_.size() < kFlushAt || write() ? traits_type::not_eof(c) : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize size) override {
        pending_.append(text, static_cast<std::size_t>(size));
        return pending_.size() < kFlushAt || write() ? size : 0;
    }
    int sync() override { return write() ? 0 : -1; }

  private:
    static constexpr std::size_t kFlushAt = 1 << 14;

    // Where the last character that has all its bytes ends.
    std::size_t wholeEnd() const {
        std::size_t start = pending_.size();
        while (start > 0 && pending_.size() - start < 4 && (pending_[start - 1] & 0xC0) == 0x80)
            --start;
        if (start == 0)
            return pending_.size();
        const auto lead = static_cast<unsigned char>(pending_[start - 1]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return pending_.size() - (start - 1) < length ? start - 1 : pending_.size();
    }

    bool write() {
        const std::size_t end = wholeEnd();
        if (end == 0)
            return true;
        const int size =
            ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(end), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(size), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(end), wide.data(), size);
        pending_.erase(0, end);
        for (std::size_t done = 0; done < wide.size();) {
            DWORD wrote = 0;
            if (!::WriteConsoleW(console_, wide.data() + done, static_cast<DWORD>(wide.size() - done), &wrote,
                                 nullptr) ||
                wrote == 0)
                return false;
            done += wrote;
        }
        return true;
    }

    HANDLE console_;
    std::string pending_;
};

void WriteToConsole(std::ostream& stream, DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return; // a file, a pipe or nothing
    // Never freed: the streams flush once more as the program ends, after
    // the program's static objects are gone.
    stream.rdbuf(new ConsoleBuffer(handle));
}

} // namespace

void UseWideConsoles() {
    std::cout.flush();
    std::cerr.flush();
    WriteToConsole(std::cout, STD_OUTPUT_HANDLE);
    WriteToConsole(std::cerr, STD_ERROR_HANDLE);
}

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(Narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void UseBinaryStandardStreams() {
    ::_setmode(_fileno(stdout), _O_BINARY);
    ::_setmode(_fileno(stderr), _O_BINARY);
}

FileDescriptor OpenFile(const FileUse& use, int flags, mode_t mode, Links links) {
    const std::wstring path = Widen(use.path, use);
    if (links == Links::Refuse)
        RefuseLink(path, use);
    const int permission = (mode & 0222) != 0 ? _S_IREAD | _S_IWRITE : _S_IREAD;
    const int fd = ::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, permission);
    if (fd < 0)
        FileError::FromErrno(use.action, use.path);
    return FileDescriptor(fd);
}

FileDescriptor OpenRegularFile(const FileUse& use, Links links) {
    const std::wstring path = Widen(use.path, use);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        ThrowLastError(use);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        ThrowNotRegular(use);
    FileDescriptor file = OpenFile(use, _O_RDONLY, 0, links);
    struct _stat64 info {};
    if (::_fstat64(file.get(), &info) != 0)
        FileError::FromErrno(use.action, use.path);
    if ((info.st_mode & _S_IFMT) != _S_IFREG) // NUL, CON and the like
        ThrowNotRegular(use);
    return file;
}

void WriteAll(int fd, std::string_view bytes, const FileUse& use) {
    while (!bytes.empty()) {
        const auto size = static_cast<unsigned>(std::min(bytes.size(), kLargestTransfer));
        const int wrote = ::_write(fd, bytes.data(), size);
        if (wrote < 0)
            FileError::FromErrno(use.action, use.path);
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
}

std::size_t ReadUpTo(int fd, char* into, std::size_t size, const FileUse& use) {
    std::size_t done = 0;
    while (done < size) {
        const auto step = static_cast<unsigned>(std::min(size - done, kLargestTransfer));
        const int got = ::_read(fd, into + done, step);
        if (got < 0)
            FileError::FromErrno(use.action, use.path);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// Windows knows only whether a file may be written; the bits say that much.
mode_t ModeForReplacing(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path, {"replace", path}).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return 0444;
    return 0666;
}

// Windows keeps nothing beyond what both sides share.
struct PendingFile::Platform {};

// A file .qrv-XXXXXX beside the final one, created new and marked to be
// deleted when closed: only commit() takes that mark off.
PendingFile::PendingFile(std::string path, std::string name)
    : path_(std::move(path)), name_(std::move(name)) {
    const std::string action = "create " + name_;
    for (;;) {
        std::string candidate = TemporaryName(std::string(FolderPart(path_)));
        const std::wstring wide = Widen(candidate, {action, path_});
        const HANDLE handle =
            ::CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            errno = ErrnoOf(error);
            fail("create");
        }
        if (!DeleteWhenClosed(handle, true)) {
            errno = ErrnoOf(::GetLastError());
            ::CloseHandle(handle);
            ::DeleteFileW(wide.c_str());
            fail("create");
        }
        const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        if (fd < 0) {
            ::CloseHandle(handle); // which deletes it
            fail("create");
        }
        fd_ = FileDescriptor(fd);
        tempPath_ = std::move(candidate);
        return;
    }
}

PendingFile::~PendingFile() {
    if (tempPath_.empty())
        return;
    fd_ = FileDescriptor(); // closing it deletes it
    ::DeleteFileW(Widen(tempPath_, {"delete", tempPath_}).c_str());
}

// Moves the finished file over the final path, which keeps the attributes of
// the file it replaces. A read-only earlier file is replaced too, as on
// POSIX systems, where only the folder decides.
void PendingFile::commit() {
    const std::string action = "replace " + name_;
    const std::wstring from = Widen(tempPath_, {action, path_});
    const std::wstring to = Widen(path_, {action, path_});
    const DWORD earlier = ::GetFileAttributesW(to.c_str());
    if (earlier != INVALID_FILE_ATTRIBUTES && (earlier & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        fail("replace");
    }
    // On the disk before it counts as written: a stick that accepts writes
    // and then loses them says so here. MoveOver writes the name through.
    if (!::FlushFileBuffers(HandleOf(fd_)) || !DeleteWhenClosed(HandleOf(fd_), false)) {
        errno = ErrnoOf(::GetLastError());
        fail("write");
    }
    closeFile();
    const bool readOnly = earlier != INVALID_FILE_ATTRIBUTES && (earlier & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        ::SetFileAttributesW(to.c_str(), earlier & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveOver(from, to)) {
        const int error = ErrnoOf(::GetLastError());
        if (readOnly)
            ::SetFileAttributesW(to.c_str(), earlier);
        errno = error;
        fail("replace");
    }
    tempPath_.clear();
    if (earlier != INVALID_FILE_ATTRIBUTES && (earlier & kKeptAttributes) != 0)
        ::SetFileAttributesW(to.c_str(), earlier & kKeptAttributes);
}

// A device (NUL, CON, a serial port) or a pipe is written into, and not
// flushed: it keeps nothing on a disk, and flushing a pipe would wait for
// its reader. Anything else is replaced whole.
void SaveFile(const std::string& path, const Bytes& bytes, std::string name) {
    const std::string action = "write " + name;
    const FileUse use{action, path};
    const HANDLE existing = ::CreateFileW(Widen(path, use).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    DWORD type = FILE_TYPE_DISK;
    if (existing != INVALID_HANDLE_VALUE) {
        type = ::GetFileType(existing);
        ::CloseHandle(existing);
    }
    if (type != FILE_TYPE_CHAR && type != FILE_TYPE_PIPE) {
        WriteFileAtomically(path, bytes, std::move(name));
        return;
    }
    FileDescriptor stream = OpenFile(use, _O_WRONLY);
    bytes.writeTo([&](std::string_view piece) { WriteAll(stream.get(), piece, use); });
    stream.close(use);
}

} // namespace qrv
