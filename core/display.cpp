#include "core/display.h"

#include "core/numeric.h"

#include <cstdio>

namespace qrv {

namespace {

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

std::string FormatTwoDecimals(double value) {
    const int size = std::snprintf(nullptr, 0, "%.2f", value);
    std::string plain(static_cast<std::size_t>(size), '\0');
    std::snprintf(plain.data(), plain.size() + 1, "%.2f", value);
    if (plain == "-0.00")
        plain = "0.00";
    return Grouped(std::move(plain));
}

} // namespace qrv
