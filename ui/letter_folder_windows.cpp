// On Windows the letter file lives in the user's local application data
// (C:\Users\ann\AppData\Local\qrv-edit), which Windows opens to that user
// alone, or in portable mode beside the program; the root of C:, where it
// once lived, is closed to standard users.
//
// Each window holds its letter file open for reading, sharing it for reading
// and deleting but not for writing: anyone may read it, and a starting
// program, which asks to write it, learns that it is in use. Windows does not
// replace a file that is open, so another copy first moves the held letter
// aside, under a name qrv*.tmp in the same folder, which is deleted once no
// window holds it.
#include "ui/letter_folder.h"

#include "files/file_error.h"
#include "files/files.h"
#include "files/portable_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <array>
#include <cerrno>
#include <optional>
#include <utility>
#include <windows.h>

namespace qrv::gui {

namespace {

std::wstring Wide(const std::string& path) {
    return QString::fromStdString(path).toStdWString();
}

// Holds the letter folder's lock, a mutex of this user's session, so that two
// copies of the program never replace or remove the letter file at the same
// moment.
class FolderLock {
  public:
    FolderLock() : mutex_(::CreateMutexW(nullptr, FALSE, L"Local\\qrv-edit-letter-folder")) {
        if (mutex_)
            ::WaitForSingleObject(mutex_, INFINITE);
    }
    ~FolderLock() {
        if (mutex_) {
            ::ReleaseMutex(mutex_);
            ::CloseHandle(mutex_);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    HANDLE mutex_;
};

using FileId = std::array<DWORD, 3>;

std::optional<FileId> IdOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Whether `path` still names the file open as `file`.
bool Names(const std::wstring& path, HANDLE file) {
    const HANDLE named =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    const std::optional<FileId> id = IdOf(named);
    ::CloseHandle(named);
    return id && id == IdOf(file);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.rfind(L'\\'));
}

// Moves the letter another window holds out of the way of a new one.
void MoveAside(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    wchar_t aside[MAX_PATH];
    if (::GetTempFileNameW(FolderOf(path).c_str(), L"qrv", 0, aside) == 0)
        return;
    if (!::MoveFileExW(path.c_str(), aside, MOVEFILE_REPLACE_EXISTING))
        ::DeleteFileW(aside);
}

// Deletes the letter file at `path` unless a window holds it: writing is
// what no window shares, so the open fails while one does.
void DeleteUnlessHeld(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILE_DISPOSITION_INFO dispose{TRUE};
    ::SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
    ::CloseHandle(file);
}

// Deletes the letters moved aside that no window holds any more.
void DeleteLettersMovedAside(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\qrv*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteUnlessHeld(folder + L"\\" + found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

void ThrowLastError(const char* action, const std::string& path) {
    const DWORD error = ::GetLastError();
    errno = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES : EIO;
    FileError::FromErrno(action, path);
}

} // namespace

// Beside the program in portable mode, else in the user's local application data.
std::string LetterFilePath() {
    const std::optional<std::string> portable = PortableFolder();
    const QString folder = portable ? QString::fromStdString(*portable)
                                    : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                          QStringLiteral("/qrv-edit");
    if (!QDir().mkpath(folder))
        throw FileError("create the folder", QDir::toNativeSeparators(folder).toStdString(),
                        "it cannot be made");
    return QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("outputyyyy.txt"))).toStdString();
}

// A new file each time, not the old one rewritten, so that a window that
// shows an earlier letter still holds its own file and can tell it apart.
LetterFile::LetterFile(std::string_view bytes) : path_(LetterFilePath()) {
    const FolderLock lock;
    MoveAside(Wide(path_));
    WriteFileAtomically(path_, bytes, "the letter file");
    const HANDLE file = ::CreateFileW(Wide(path_).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ThrowLastError("open the letter file", path_);
    handle_ = file;
}

LetterFile::~LetterFile() {
    try {
        remove();
    } catch (const FileError&) {
        // Nothing can be said while the window goes away; its close says it.
    }
}

void LetterFile::remove() {
    if (!handle_)
        return;
    const FolderLock lock;
    const HANDLE file = std::exchange(handle_, nullptr);
    const std::wstring path = Wide(path_);
    const bool ours = Names(path, file);
    ::CloseHandle(file);
    DeleteLettersMovedAside(FolderOf(path));
    if (ours && !::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        ThrowLastError("delete the letter file", path_);
}

void RemoveLeftoverLetterFile() {
    std::string path;
    try {
        path = LetterFilePath();
    } catch (const FileError&) {
        return; // the letter window will say why when it is opened
    }
    const FolderLock lock;
    const std::wstring wide = Wide(path);
    DeleteUnlessHeld(wide);
    DeleteLettersMovedAside(FolderOf(wide));
}

} // namespace qrv::gui
