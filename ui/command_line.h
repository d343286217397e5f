// qrv-edit's command line: [--format 10M|100M] [MEDIA_FILE], --help, --version.
#pragma once

#include "runs/format.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace qrv::gui {

// Start the windows; with a format or a file, the chooser opens on them.
struct StartOptions {
    std::optional<Format> format;
    QString mediaFile;
    bool opensChooser() const { return format || !mediaFile.isEmpty(); }
};

// End at once: print `out` on stdout and `err` on stderr, and exit with `status`.
struct EarlyExit {
    int status = 0;
    QString out;
    QString err;
};

// `arguments` as main() has them, the program's name first.
std::variant<StartOptions, EarlyExit> ParseCommandLine(const QStringList& arguments);

} // namespace qrv::gui
