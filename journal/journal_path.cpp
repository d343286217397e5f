#include "journal/journal_path.h"

#include "files/files.h"
#include "files/portable_folder.h"

#include <algorithm>

namespace qrv {

std::string DataFolder() {
#ifdef _WIN32
    std::string base = EnvironmentValue("APPDATA");
    std::replace(base.begin(), base.end(), '\\', '/');
#else
    std::string base = EnvironmentValue("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = EnvironmentValue("HOME");
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
