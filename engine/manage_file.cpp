#include "engine/manage_file.h"

#include "engine/numeric.h"

namespace qrv {

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

} // namespace qrv
