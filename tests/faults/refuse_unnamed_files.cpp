// Loaded into qrv-check with LD_PRELOAD, this makes every file system look
// like one without unnamed files: open(2) with O_TMPFILE fails as it does there.
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

using Open = int (*)(const char*, int, ...);

int OpenUnlessUnnamed(const char* symbol, const char* path, int flags, va_list rest) {
    const mode_t mode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(rest, mode_t) : 0;
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    const auto real = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, symbol));
    return real(path, flags, mode);
}

} // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const int fd = OpenUnlessUnnamed("open", path, flags, rest);
    va_end(rest);
    return fd;
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const int fd = OpenUnlessUnnamed("open64", path, flags, rest);
    va_end(rest);
    return fd;
}
