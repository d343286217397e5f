#include "ui/format_guess.h"

#include "core/fields.h"
#include "core/text.h"
#include "files/file_error.h"
#include "files/files.h"

#include <QFile>

namespace qrv::gui {

namespace {
// Far past the longest control record; a file without line ends is not read whole.
constexpr std::size_t kFirstLineLimit = 4096;
} // namespace

std::optional<Format> FormatOfControlLine(std::string_view controlLine) {
    std::optional<Format> passed;
    for (const Format format : kFormats) {
        const RunFormat& table = FormatTable(format);
        const Fields fields = SplitRecord(controlLine, table.controlLayout);
        if (!table.passesFormatGate(Trim(fields[control::TermPayment])))
            continue;
        if (passed)
            return std::nullopt;
        passed = format;
    }
    return passed;
}

// Through the file layer, which refuses a FIFO or device at once instead of
// waiting on it.
std::optional<Format> FormatOfFile(const QString& path) {
    const std::string local = QFile::encodeName(path).toStdString();
    std::string head(kFirstLineLimit, '\0');
    try {
        const FileDescriptor file = OpenRegularFile({"read the media file", local});
        head.resize(ReadUpTo(file.get(), head.data(), head.size(), {"read the media file", local}));
    } catch (const FileError&) {
        return std::nullopt;
    }
    const std::string_view line = std::string_view(head).substr(0, head.find_first_of("\r\n"));
    return FormatOfControlLine(line);
}

} // namespace qrv::gui
