#include "core/digit_sums.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace qrv {

double ImpliedDecimalText(std::string_view field, std::size_t wholeLength) {
    std::string text(field.substr(0, wholeLength));
    text += '.';
    text += field.size() > 2 ? field.substr(field.size() - 2) : field;
    return ToDouble(text);
}

bool SameTo15Digits(double a, double b) {
    const auto rounded = [](double v) {
        char text[40];
        std::snprintf(text, sizeof text, "%.15g", v);
        double back = 0;
        std::from_chars(text, text + std::char_traits<char>::length(text), back);
        return back;
    };
    return rounded(a) == rounded(b);
}

} // namespace qrv
