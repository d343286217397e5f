#include "core/location.h"

namespace qrv {

std::string ColumnRange(const Location& where) {
    return std::to_string(where.first) + std::string(kEnDash) + std::to_string(where.last);
}

std::string LocationLine(const Location& where, std::string_view shownFound) {
    return "columns " + ColumnRange(where) + " " + std::string(where.field) + " \"" +
           std::string(shownFound) + "\": " + where.expected;
}

std::string MustHoldHint(const Location& where, std::string_view place) {
    return "Columns " + ColumnRange(where) + " (" + std::string(where.field) + ") of " + std::string(place) +
           " must hold " + where.expected + ".";
}

Location LocateField(const Fields& fields, FieldLayout layout, std::span<const std::string_view> names,
                     std::size_t index) {
    const std::string_view cut = fields[index];
    const FieldSpan span = layout[index];
    const std::size_t length = cut.empty() ? span.length : cut.size();
    return Location{.field = names[index],
                    .first = span.start,
                    .last = static_cast<int>(span.start + length - 1),
                    .found = std::string(cut),
                    .expected = {},
                    .hint = {}};
}

} // namespace qrv
