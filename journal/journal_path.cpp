#include "journal/journal_path.h"

#include "files/portable_folder.h"

#include <algorithm>
#include <cstdlib>

namespace qrv {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string DataFolder() {
#ifdef _WIN32
    std::string base = Environment("APPDATA");
    std::replace(base.begin(), base.end(), '\\', '/');
#else
    std::string base = Environment("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = Environment("HOME");
        if (home.empty())
            return "";
        base = home + "/.local/share";
    }
#endif
    if (base.empty())
        return "";
    return base + "/" + std::string(kApplicationName);
}

std::string DefaultJournalPath() {
    if (const std::optional<std::string> portable = PortableFolder())
        return *portable + std::string(kJournalFileName);
    const std::string folder = DataFolder();
    return folder.empty() ? "" : folder + "/" + std::string(kJournalFileName);
}

} // namespace qrv
