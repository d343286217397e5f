#include "core/display.h"

#include "core/numeric.h"

#include <algorithm>

namespace qrv {

namespace {

__extension__ typedef unsigned __int128 WideMagnitude;

// Inserts "," every three digits into the whole part of a plain decimal text.
std::string Grouped(std::string plain) {
    const std::size_t start = plain[0] == '-' ? 1 : 0;
    std::size_t end = plain.find('.');
    if (end == std::string::npos)
        end = plain.size();
    for (std::size_t at = end; at > start + 3; at -= 3)
        plain.insert(at - 3, 1, ',');
    return plain;
}

} // namespace

std::string FormatAmount(std::string_view text, int decimals) {
    const auto wholeLength = static_cast<std::ptrdiff_t>(text.size()) - decimals;
    if (wholeLength <= 0)
        throw ConversionError(ConversionError::Kind::NotANumber, text);
    const std::string_view whole = text.substr(0, static_cast<std::size_t>(wholeLength));
    return FormatGroupedWhole(ToCurrency(whole)) + "." + std::string(text.substr(whole.size()));
}

std::string RenderDate(std::string_view field) {
    const auto piece = [&](std::size_t at) {
        return at < field.size() ? field.substr(at, 2) : std::string_view{};
    };
    std::string shown;
    shown.reserve(8);
    shown.append(piece(0)).append("/").append(piece(2)).append("/").append(piece(4));
    return shown;
}

std::string DateField(std::string_view shown) {
    // RenderDate adds two slashes, after at most two characters each.
    const std::size_t length = shown.size() < 2 ? 0 : shown.size() - 2;
    const std::size_t firstSlash = std::min<std::size_t>(length, 2);
    const std::size_t secondSlash = firstSlash + 1 + std::min<std::size_t>(length - firstSlash, 2);
    std::string field(shown);
    if (secondSlash < field.size())
        field.erase(secondSlash, 1);
    if (firstSlash < field.size())
        field.erase(firstSlash, 1);
    return field;
}

std::string FormatGroupedWhole(std::int64_t currency) {
    std::int64_t whole = currency / 10000;
    const std::int64_t rest = currency % 10000;
    const std::int64_t half = rest < 0 ? -rest : rest;
    if (half > 5000 || (half == 5000 && whole % 2 != 0))
        whole += currency < 0 ? -1 : 1;
    if (whole == 0)
        return {};
    return Grouped(std::to_string(whole));
}

std::string FormatCents(WideCents cents) {
    return Grouped(DecimalText(cents));
}

std::string DecimalText(WideCents cents) {
    const bool negative = cents < 0;
    auto magnitude = static_cast<WideMagnitude>(negative ? -cents : cents);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, 1, '.');
    return (negative ? "-" : "") + digits;
}

} // namespace qrv
