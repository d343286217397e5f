#include "tests/support/refusing_folder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace qrv::test {

namespace {

namespace fs = std::filesystem;

std::string Failed(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Whether a new file can still be made in `folder`.
bool TakesNewFiles(const fs::path& folder) {
    const fs::path probe = folder / ".probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

} // namespace

RefusingFolder::RefusingFolder(const fs::path& root) : root_(root) {
    fs::create_directories(inner());
    if (::geteuid() != 0) {
        fs::permissions(root_, fs::perms(0555));
        locked_ = true;
    } else {
        // The writable folder is kept beside the root and mounted into it once the root is read-only.
        const fs::path store = root_.parent_path() / (root_.filename().string() + "-store");
        fs::create_directory(store);
        if (::unshare(CLONE_NEWNS) != 0) {
            unavailable_ = Failed("unshare(CLONE_NEWNS)");
            return;
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(root_.c_str(), root_.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            unavailable_ = Failed("bind mount");
            return;
        }
        mounted_ = true;
        if (::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0 ||
            ::mount(store.c_str(), inner().c_str(), nullptr, MS_BIND, nullptr) != 0) {
            unavailable_ = Failed("read-only bind mount");
            return;
        }
    }
    if (TakesNewFiles(root_))
        unavailable_ = "the folder still takes new files";
    else if (!TakesNewFiles(inner()))
        unavailable_ = "the folder inside it takes no new files";
}

RefusingFolder::~RefusingFolder() {
    if (mounted_) {
        ::umount2(inner().c_str(), MNT_DETACH);
        ::umount2(root_.c_str(), MNT_DETACH);
    }
    if (locked_)
        fs::permissions(root_, fs::perms(0755));
}

} // namespace qrv::test
