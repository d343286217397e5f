// Advisories: what a format check cannot see, because it reads each record
// alone. They sit beside the control record's messages and the rejected
// records and never change either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

enum class AdvisoryCode {
    DuplicateAccount, // an account on more than one detail record
    NewAccount,       // an account the earlier file does not have
    MissingAccount,   // an account of the earlier file that this one lacks
    AmountChanged,    // an account's amount moved past the threshold
    TotalsChanged,    // record count and total against the earlier file
    DatePast,         // the effective date is before today
    DateWeekend,      // the effective date is a Saturday or a Sunday
    DateHoliday,      // the effective date is in the holiday list
    DateSoon,         // too few banking days before the effective date
    AlreadyChecked,   // these bytes were checked before
    SameCompanyDate,  // another file of the company and date was checked
};

// Every code, in the order reports give them.
inline constexpr AdvisoryCode kAdvisoryCodes[] = {
    AdvisoryCode::DuplicateAccount, AdvisoryCode::NewAccount,      AdvisoryCode::MissingAccount,
    AdvisoryCode::AmountChanged,    AdvisoryCode::TotalsChanged,   AdvisoryCode::DatePast,
    AdvisoryCode::DateWeekend,      AdvisoryCode::DateHoliday,     AdvisoryCode::DateSoon,
    AdvisoryCode::AlreadyChecked,   AdvisoryCode::SameCompanyDate,
};

// The stable name scripts match: "duplicate_account", ...
std::string_view CodeName(AdvisoryCode code);

struct Advisory {
    AdvisoryCode code;
    std::string message;                         // English, UTF-8
    std::vector<std::int64_t> lines{};           // media file lines, counted from 1
    std::string account{};                       // as the records carry it
    std::optional<std::int64_t> amount{};        // hundredths
    std::optional<std::int64_t> earlierAmount{}; // hundredths
    std::optional<double> changePercent{};
    std::string date{};    // YYYY-MM-DD
    std::string holiday{}; // the holiday list's name for `date`
};

} // namespace qrv
