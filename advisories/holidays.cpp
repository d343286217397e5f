#include "advisories/holidays.h"

#include "core/text.h"
#include "files/file_error.h"
#include "files/line_reader.h"

#include <algorithm>
#include <optional>

namespace qrv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

class Parser {
  public:
    void take(std::string_view line) {
        ++number_;
        if (number_ == 1 && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = TrimBlanks(line);
        if (line.empty() || line.front() == '#')
            return;
        if (!IsUtf8(line))
            return complain("is not UTF-8 text");
        const std::string_view date = line.substr(0, std::min(line.find_first_of(" \t"), line.size()));
        const std::optional<std::chrono::year_month_day> day = IsoDay(date);
        if (!day)
            return complain("does not begin with a day written YYYY-MM-DD");
        list_.days.push_back({*day, std::string(TrimBlanks(line.substr(date.size())))});
    }

    HolidayList finish() {
        std::ranges::stable_sort(list_.days, {}, &Holiday::date);
        const auto [first, last] = std::ranges::unique(list_.days, {}, &Holiday::date);
        list_.days.erase(first, last);
        return std::move(list_);
    }

  private:
    void complain(std::string_view what) {
        list_.problems.push_back("the holiday list's line " + std::to_string(number_) + " " +
                                 std::string(what) + "; it is left out");
    }

    HolidayList list_;
    std::int64_t number_ = 0;
};

HolidayList Unreadable(std::string_view why) {
    HolidayList none;
    none.problems.push_back("the holiday list cannot be read: " + std::string(why));
    return none;
}

} // namespace

std::optional<std::chrono::year_month_day> IsoDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (!IsDigit(text[i]))
            return std::nullopt;
    const std::chrono::year_month_day day{
        std::chrono::year{DigitsValue(text.substr(0, 4))},
        std::chrono::month{static_cast<unsigned>(DigitsValue(text.substr(5, 2)))},
        std::chrono::day{static_cast<unsigned>(DigitsValue(text.substr(8, 2)))}};
    if (!day.ok())
        return std::nullopt;
    return day;
}

std::string IsoText(std::chrono::year_month_day day) {
    const auto digits = [](unsigned value, std::size_t width) {
        std::string text = std::to_string(value);
        return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
    };
    return digits(static_cast<unsigned>(static_cast<int>(day.year())), 4) + "-" +
           digits(static_cast<unsigned>(day.month()), 2) + "-" + digits(static_cast<unsigned>(day.day()), 2);
}

const Holiday* HolidayList::find(std::chrono::year_month_day date) const {
    const auto found = std::ranges::lower_bound(days, date, {}, &Holiday::date);
    return found != days.end() && found->date == date ? &*found : nullptr;
}

HolidayList ParseHolidayList(std::string_view text) {
    Parser parser;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        parser.take(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return parser.finish();
}

HolidayList ReadHolidayList(const std::string& path) {
    Parser parser;
    try {
        LineReader reader(path);
        std::string_view line;
        while (reader.next(line))
            parser.take(line);
    } catch (const FileError& e) {
        return Unreadable(e.what());
    } catch (const LineTooLong& e) {
        return Unreadable(e.what());
    }
    return parser.finish();
}

} // namespace qrv
