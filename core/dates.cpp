#include "core/dates.h"

#include "core/numeric.h"

#include <string>

namespace qrv {

namespace {

// The three two-character pieces of a DDMMYY text, as CheckDate reads them.
struct DatePieces {
    std::string_view day;
    std::string_view month;
    std::string_view year;
};

DatePieces Pieces(std::string_view date) {
    const auto piece = [&](std::size_t at) {
        return at < date.size() ? date.substr(at, 2) : std::string_view{};
    };
    return {piece(0), piece(2), date.size() > 2 ? date.substr(date.size() - 2) : date};
}

} // namespace

bool CheckDate(std::string_view date) {
    static constexpr int kMonthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const DatePieces pieces = Pieces(date);
    const int fullYear = ToInt16("20" + std::string(pieces.year));
    const int month = ToInt16(pieces.month);
    if (month < 1 || month > 12)
        return false;
    const int length = month == 2 && fullYear % 4 == 0 ? 29 : kMonthLength[month - 1];
    const int day = ToInt16(pieces.day);
    const int year = ToInt16(pieces.year);
    return !(day < 1 || day > length || year < 0 || year > 99);
}

std::optional<std::string> IsoDate(std::string_view date) {
    // Pieces that are numbers cannot make CheckDate throw; testing them first
    // spares a report of many dateless records as many exceptions.
    const DatePieces pieces = Pieces(date);
    const bool readable = IsNumericText(pieces.day) && IsNumericText(pieces.month) &&
                          IsNumericText(pieces.year) && IsNumericText("20" + std::string(pieces.year));
    if (!readable || !CheckDate(date))
        return std::nullopt;
    const auto twoDigits = [](std::string_view piece) { // 0-99, as CheckDate found it
        const int value = ToInt16(piece);
        return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    };
    return "20" + twoDigits(pieces.year) + "-" + twoDigits(pieces.month) + "-" + twoDigits(pieces.day);
}

} // namespace qrv
