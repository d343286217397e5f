#include "core/fields.h"

#include <algorithm>

namespace qrv {

Fields SplitRecord(std::string_view line, FieldLayout layout) {
    Fields fields(line);
    for (const FieldSpan& span : layout) {
        const std::size_t first = span.start - 1u;
        if (first < line.size())
            fields.push_back(first, std::min<std::size_t>(span.length, line.size() - first));
        else
            fields.push_back(0, 0);
    }
    return fields;
}

} // namespace qrv
