#include "report/letter_file.h"

#include "core/file_error.h"
#include "report/letter.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {

namespace {

constexpr std::string_view kLetterFileName = "outputyyyy.txt";

// An environment variable that names an absolute folder; relative or empty
// values are ignored, as the XDG base directory rules ask.
std::string AbsoluteFolderFromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = AbsoluteFolderFromEnv("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    throw FileError("find the home folder", "~", "HOME is not set and the user has no home folder");
}

// mkdir -p, new folders private to the user.
void MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            FileError::FromErrno("create the folder", part);
        if (slash == std::string::npos)
            return;
    }
}

// The folder must be a real directory of this user that nobody else can
// enter, so no one can plant or swap the letter file in it.
void RequirePrivateFolder(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0)
        FileError::FromErrno("use the letter folder", folder);
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        throw FileError("use the letter folder", folder, "it is not a folder owned by this user");
    if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
        FileError::FromErrno("make the letter folder private", folder);
}

std::string PrivateCacheFolder() {
    std::string cache = AbsoluteFolderFromEnv("XDG_CACHE_HOME");
    if (cache.empty())
        cache = HomeFolder() + "/.cache";
    const std::string folder = cache + "/qrv-edit";
    MakeFolders(folder);
    RequirePrivateFolder(folder);
    return folder;
}

void WriteAll(const std::string& path, std::string_view bytes, int extraFlags, mode_t mode,
              const char* action) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | extraFlags, mode);
    if (fd < 0)
        FileError::FromErrno(action, path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            FileError::FromErrno(action, path);
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (::close(fd) != 0)
        FileError::FromErrno(action, path);
}

} // namespace

std::string LetterFilePath() {
#ifdef _WIN32
    return "C:\\outputyyyy.txt";
#else
    std::string folder = AbsoluteFolderFromEnv("XDG_RUNTIME_DIR");
    if (folder.empty())
        folder = PrivateCacheFolder();
    return folder + "/" + std::string(kLetterFileName);
#endif
}

void WriteLetterFile(const std::string& path, std::string_view bytes) {
    WriteAll(path, bytes, O_NOFOLLOW, 0600, "write the letter file");
}

void WriteLetterForSummary(const std::string& path, const std::string& summaryPath,
                           std::string_view hashValue, Format format, std::chrono::year_month_day today) {
    WriteLetterFile(path, LetterForSummary(summaryPath, hashValue, format, today));
}

void SaveLetterAs(const std::string& path, std::string_view bytes) {
    WriteAll(path, bytes, 0, 0666, "save the letter");
}

std::string ReadLetterFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        FileError::FromErrno("read the letter file", path);
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            const int error = errno;
            ::close(fd);
            if (got < 0) {
                errno = error;
                FileError::FromErrno("read the letter file", path);
            }
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

void RemoveLetterFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        FileError::FromErrno("delete the letter file", path);
}

} // namespace qrv
