#include "core/dates.h"

#include "core/numeric.h"

#include <string>

namespace qrv {

bool CheckDate(std::string_view date) {
    static constexpr int kMonthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const auto piece = [&](std::size_t at) {
        return at < date.size() ? date.substr(at, 2) : std::string_view{};
    };
    const std::string_view dayPiece = piece(0);
    const std::string_view monthPiece = piece(2);
    const std::string_view yearPiece = date.size() > 2 ? date.substr(date.size() - 2) : date;

    const int fullYear = ToInt16("20" + std::string(yearPiece));
    const int month = ToInt16(monthPiece);
    if (month < 1 || month > 12)
        return false;
    const int length = month == 2 && fullYear % 4 == 0 ? 29 : kMonthLength[month - 1];
    const int day = ToInt16(dayPiece);
    const int year = ToInt16(yearPiece);
    return !(day < 1 || day > length || year < 0 || year > 99);
}

} // namespace qrv
