#include "engine/mod_center.h"

namespace qrv {

Fields SplitRecord(std::string_view line, FieldLayout layout) {
    Fields fields;
    for (const FieldSpan& span : layout) {
        const std::size_t first = span.start - 1u;
        fields.push_back(first < line.size() ? line.substr(first, span.length) : std::string_view{});
    }
    return fields;
}

} // namespace qrv
