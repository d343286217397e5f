#include "ui/format_guess.h"

#include "core/fields.h"
#include "core/text.h"

#include <QFile>

namespace qrv::gui {

namespace {
// Far past the longest control record; a file without line ends is not read whole.
constexpr qint64 kFirstLineLimit = 4096;
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

std::optional<Format> FormatOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray line = file.readLine(kFirstLineLimit);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return FormatOfControlLine(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
}

} // namespace qrv::gui
