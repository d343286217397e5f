// A folder that refuses new files, as C:\ does to a standard user on Windows,
// with a folder "pay" inside it that takes them: the root of such a drive.
#pragma once

#include <filesystem>
#include <string>

namespace qrv::test {

// Made by its permission bits for an ordinary user; for root, to whom those
// do not apply, by a read-only bind mount in a mount namespace of the test
// process's own, which the programs it starts share. Undone when destroyed.
class RefusingFolder {
  public:
    // Creates `root` and `root`/pay, and makes `root` refuse new files.
    explicit RefusingFolder(const std::filesystem::path& root);
    ~RefusingFolder();
    RefusingFolder(const RefusingFolder&) = delete;
    RefusingFolder& operator=(const RefusingFolder&) = delete;

    // Why it could not be made; empty when it was.
    const std::string& unavailable() const { return unavailable_; }
    std::filesystem::path inner() const { return root_ / "pay"; }

  private:
    std::filesystem::path root_;
    std::string unavailable_;
    bool mounted_ = false;
    bool locked_ = false;
};

} // namespace qrv::test
