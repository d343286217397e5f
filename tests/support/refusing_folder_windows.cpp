#include "tests/support/refusing_folder.h"

namespace qrv::test {

// Windows lets a test make no such folder of its own: tests/windows/compare_test.sh
// maps a drive to a read-only mount instead.
RefusingFolder::RefusingFolder(const std::filesystem::path& root)
    : root_(root), unavailable_("Windows has no folder a test can make refuse new files") {}

RefusingFolder::~RefusingFolder() = default;

} // namespace qrv::test
