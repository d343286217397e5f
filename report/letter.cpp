#include "report/letter.h"

#include <array>
#include <ctime>

namespace qrv {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string TwoDigits(unsigned value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string Indented(std::int16_t k, std::string_view text) {
    return MakeSpaces(k) + std::string(text);
}

// The letter's date: characters 1-2, "/", 3-4, "/", and the field's last two
// characters, which differ from the result window's 5-6 only in a short field.
std::string LetterDate(std::string_view field) {
    const auto piece = [&](std::size_t at) {
        return at < field.size() ? field.substr(at, 2) : std::string_view{};
    };
    const std::string_view lastTwo = field.substr(field.size() > 2 ? field.size() - 2 : 0);
    return std::string(piece(0)) + "/" + std::string(piece(2)) + "/" + std::string(lastTwo);
}

} // namespace

std::string MakeSpaces(std::int16_t k) {
    return k < 0 ? std::string() : std::string(k + 1, ' ');
}

std::string FormatLetterDate(std::chrono::year_month_day date) {
    const auto month = static_cast<unsigned>(date.month());
    std::string text(kMonths[(month + 11) % 12]);
    text += ' ';
    text += TwoDigits(static_cast<unsigned>(date.day()));
    text += ", ";
    text += std::to_string(static_cast<int>(date.year()));
    return text;
}

std::chrono::year_month_day Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    ::localtime_s(&local, &now); // Microsoft's argument order
#else
    ::localtime_r(&now, &local);
#endif
    return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

std::vector<std::string> BuildLetter(const Fields& control, std::string_view hashValue,
                                     std::chrono::year_month_day today) {
    const auto value = [&](std::string_view label, std::string_view text) {
        return Indented(60, label) + std::string(text);
    };
    return {
        "",
        Indented(60, "Date :") + FormatLetterDate(today),
        Indented(1, "Dear MANAGER"),
        "",
        Indented(20, "THE VALMORA BANK PUBLIC COMPANY LIMITED"),
        "",
        Indented(50, "We Would like to transfer salary, Wage and overtime to our "),
        Indented(1, "account and all detail below this paragraph"),
        "",
        value("COMPANY CODE    : ", control[control::CompanyCode]),
        "",
        value("COMPANY NAME    : ", control[control::CompanyName]),
        "",
        value("EFFECTIVE DATE  : ", LetterDate(control[control::EffectiveDate])),
        "",
        value("TOTAL RECORD    : ", control[control::TotalRecord]),
        "",
        value("TOTAL AMOUNT    : ", control[control::TotalAmount]),
        "",
        value("HASH TOTAL      : ", hashValue),
        "",
        Indented(100, "Yours truly,"),
        "",
        "",
        Indented(90, "____________________"),
        Indented(90, "Authorized Signature"),
    };
}

std::string LetterFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    return bytes;
}

std::string LetterForRun(std::string_view controlLine, std::int32_t hashTotal, Format format,
                         std::chrono::year_month_day today) {
    const Fields control = SplitRecord(controlLine, FormatTable(format).controlLayout);
    return LetterFileBytes(BuildLetter(control, std::to_string(hashTotal), today));
}

std::string LetterTitle(std::string_view controlLine, Format format) {
    const Fields control = SplitRecord(controlLine, FormatTable(format).controlLayout);
    return "Covering letter " + std::string(control[control::CompanyCode]) + " " +
           LetterDate(control[control::EffectiveDate]);
}

} // namespace qrv
