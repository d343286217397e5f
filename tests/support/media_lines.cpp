#include "tests/support/media_lines.h"

#include "core/detail_check.h"

#include <cstdio>
#include <stdexcept>

namespace qrv::test {

namespace {

struct Widths {
    std::size_t filler, totalAmount, detailAmount, detailSpare;
};

Widths WidthsOf(Format format) {
    return format == Format::M100 ? Widths{8, 11, 11, 50} : Widths{9, 10, 9, 52};
}

std::string Fit(const std::string& text, std::size_t width) {
    std::string fitted = text.substr(0, width);
    fitted.resize(width, ' ');
    return fitted;
}

std::string Digits(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() > width)
        throw std::invalid_argument(text + " does not fit " + std::to_string(width) + " digits");
    return std::string(width - text.size(), '0') + text;
}

std::string ZerosIfEmpty(const std::string& text, std::size_t width) {
    return text.empty() ? std::string(width, '0') : text;
}

} // namespace

std::string ControlLine(Format format, const Control& c) {
    const Widths w = WidthsOf(format);
    return Fit(c.filler, w.filler) + Fit(c.termPayment, 1) + Fit(c.companyCode, 6) + Fit(c.companyName, 30) +
           Fit(c.applyCode, 1) + Fit(c.status, 1) + Fit(c.effectiveDate, 6) + Fit(c.totalRecord, 5) +
           Fit(ZerosIfEmpty(c.totalAmount, w.totalAmount), w.totalAmount) + Fit(c.mediaType, 1) +
           Fit(c.spare, 8);
}

std::string DetailLine(Format format, const Detail& d) {
    const Widths w = WidthsOf(format);
    return Fit(d.account, 10) + Fit(d.effectiveDate, 6) + Fit(d.sign, 1) +
           Fit(ZerosIfEmpty(d.amount, w.detailAmount), w.detailAmount) + Fit(d.spare, w.detailSpare);
}

std::string DetailAmount(Format format, std::int64_t satang) {
    return Digits(satang, WidthsOf(format).detailAmount);
}

std::string ControlAmount(Format format, std::int64_t satang) {
    return Digits(satang, WidthsOf(format).totalAmount);
}

std::string RecordCount(int count) {
    return Digits(count, 5);
}

std::string ValidAccount(int n) {
    for (unsigned serial = static_cast<unsigned>(n);; serial += 1000000) {
        char nine[16];
        std::snprintf(nine, sizeof nine, "%03u3%05u", 100 + serial / 100000 % 900, serial % 100000);
        for (char check = '0'; check <= '9'; ++check)
            if (const std::string account = std::string(nine) + check; CheckAccountDigit(account))
                return account;
    }
}

std::string MediaFile(Format format, const std::vector<Payment>& payments, std::string companyCode,
                      std::string effectiveDate) {
    std::vector<std::string> lines(1);
    std::int64_t total = 0;
    for (const Payment& payment : payments) {
        lines.push_back(DetailLine(format, {.account = payment.account,
                                            .effectiveDate = effectiveDate,
                                            .amount = DetailAmount(format, payment.satang)}));
        total += payment.satang;
    }
    lines[0] = ControlLine(format, {.companyCode = std::move(companyCode),
                                    .effectiveDate = std::move(effectiveDate),
                                    .totalRecord = RecordCount(static_cast<int>(payments.size())),
                                    .totalAmount = ControlAmount(format, total)});
    return JoinLines(lines);
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& terminator) {
    std::string joined;
    for (const std::string& line : lines)
        joined += line + terminator;
    return joined;
}

std::string ToCp874(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text)
        bytes += c >= 0x0E01 && c <= 0x0E5B ? static_cast<char>(c - 0x0E01 + 0xA1) : static_cast<char>(c);
    return bytes;
}

} // namespace qrv::test
