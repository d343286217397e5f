// The clerk's list of the days the banks are closed. A UTF-8 text file:
//
//     # comment
//     2026-12-31 New Year's Eve
//
// one `YYYY-MM-DD name` a line; blank lines and lines that begin with `#`
// are skipped. The program ships no list of its own.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct Holiday {
    std::chrono::year_month_day date;
    std::string name; // UTF-8; may be empty
};

struct HolidayList {
    std::vector<Holiday> days; // in date order; the first name given for a date
    // Each bad line with its line number, in English; the other lines still count.
    std::vector<std::string> problems;

    // The holiday on `date`; nothing when the banks are open, as far as the list knows.
    const Holiday* find(std::chrono::year_month_day date) const;
};

HolidayList ParseHolidayList(std::string_view text);

// The day a YYYY-MM-DD text names; nothing for any other text.
std::optional<std::chrono::year_month_day> IsoDay(std::string_view text);
// The day as YYYY-MM-DD.
std::string IsoText(std::chrono::year_month_day day);
// ParseHolidayList of the file; a file that cannot be read gives no days and one problem.
HolidayList ReadHolidayList(const std::string& path);

} // namespace qrv
