#include "runs/format.h"

#include "core/text.h"
#include "runs/module_100m.h"
#include "runs/module_10m.h"

namespace qrv {

const RunFormat& FormatTable(Format format) {
    return format == Format::M100 ? RunFormat100M() : RunFormat10M();
}

std::string_view FormatCaption(Format format) {
    return format == Format::M100 ? "Format 100 M" : "Format 10 M";
}

std::string_view FormatName(Format format) {
    return format == Format::M100 ? "100M" : "10M";
}

std::optional<Format> FormatFromName(std::string_view name) {
    for (const Format format : kFormats)
        if (UpperCase(name) == FormatName(format))
            return format;
    return std::nullopt;
}

RunResult CheckFile(Format format, const std::string& mediaPath, ResultWindow& window, UserPort& user) {
    return format == Format::M100 ? CheckFile100M(mediaPath, window, user)
                                  : CheckFile10M(mediaPath, window, user);
}

} // namespace qrv
