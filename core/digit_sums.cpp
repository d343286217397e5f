#include "core/digit_sums.h"

namespace qrv {

std::string ImpliedDecimalText(std::string_view field, std::size_t wholeLength) {
    std::string text(field.substr(0, wholeLength));
    text += '.';
    text += field.size() > 2 ? field.substr(field.size() - 2) : field;
    return text;
}

} // namespace qrv
