// Messages of the engine with the stable codes that reports and exports give
// them, so that scripts need not match the texts.
#pragma once

#include <span>
#include <string_view>

namespace qrv {

struct CodedText {
    std::string_view text;
    std::string_view code;
};

// The code of `text` in `table`; "" when the table does not hold it.
constexpr std::string_view CodeOf(std::span<const CodedText> table, std::string_view text) {
    for (const CodedText& entry : table)
        if (entry.text == text)
            return entry.code;
    return {};
}

} // namespace qrv
