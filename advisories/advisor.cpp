#include "advisories/advisor.h"

#include "advisories/earlier_file.h"
#include "advisories/holidays.h"
#include "core/cp874.h"
#include "core/dates.h"
#include "core/display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <span>
#include <tuple>

namespace qrv {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

std::string Shown(AccountKey account) {
    return Cp874ToUtf8(UnpackAccount(account));
}

// "line 3", "lines 3 and 9", "lines 3, 9 and 12".
std::string LinesText(std::span<const std::int64_t> lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += i + 1 == lines.size() ? " and " : ", ";
        text += std::to_string(lines[i]);
    }
    return text;
}

std::string Signed(WideCents cents) {
    return (cents > 0 ? "+" : "") + FormatCents(cents);
}

std::string PercentText(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f%%", percent);
    return text;
}

// A count with "," grouping: 1,000,000.
std::string Grouped(std::int64_t count) {
    const std::string cents = FormatCents(static_cast<WideCents>(count) * 100);
    return cents.substr(0, cents.size() - 3);
}

std::vector<std::int64_t> LinesOf(std::span<const AccountRecord> records) {
    std::vector<std::int64_t> lines;
    lines.reserve(records.size());
    for (const AccountRecord& record : records)
        lines.push_back(record.line);
    return lines;
}

// The records of one account: a run of records sorted by account, then line.
struct AccountGroup {
    std::span<const AccountRecord> records;

    AccountKey account() const { return records.front().account; }
    std::int64_t firstLine() const { return records.front().line; }
    // Nothing when an amount cannot be read.
    std::optional<std::int64_t> sum() const {
        std::int64_t total = 0;
        for (const AccountRecord& record : records) {
            if (!record.cents)
                return std::nullopt;
            total += *record.cents;
        }
        return total;
    }
    bool equalAmounts() const {
        return std::ranges::all_of(
            records, [&](const AccountRecord& r) { return r.cents && r.cents == records.front().cents; });
    }
};

// The group that begins at `at` of `records`, sorted by account.
AccountGroup GroupAt(const std::vector<AccountRecord>& records, std::size_t at) {
    std::size_t end = at + 1;
    while (end < records.size() && records[end].account == records[at].account)
        ++end;
    return {std::span(records).subspan(at, end - at)};
}

// Advisories made from `found`: the first kMaxAccountAdvisories of them in
// `order`, then one that counts the rest, "and 12 more accounts `others`".
template <typename T, typename Order, typename Make>
void AddListed(std::vector<T>& found, Order order, AdvisoryCode code, std::string_view others, Make make,
               std::vector<Advisory>& advisories) {
    const std::size_t listed = std::min(found.size(), kMaxAccountAdvisories);
    std::ranges::partial_sort(found, found.begin() + static_cast<std::ptrdiff_t>(listed), order);
    for (std::size_t i = 0; i < listed; ++i)
        advisories.push_back(make(found[i]));
    if (found.size() > listed) {
        const auto unlisted = static_cast<std::int64_t>(found.size() - listed);
        advisories.push_back({code, "and " + Grouped(unlisted) +
                                        (unlisted == 1 ? " more account " : " more accounts ") +
                                        std::string(others)});
    }
}

const auto kByFirstLine = [](const AccountGroup& a, const AccountGroup& b) {
    return a.firstLine() < b.firstLine();
};

void AddDuplicates(const AccountRecords& records, std::vector<Advisory>& advisories) {
    std::vector<AccountGroup> found;
    for (std::size_t at = 0; at < records.records().size();) {
        const AccountGroup group = GroupAt(records.records(), at);
        if (group.records.size() > 1)
            found.push_back(group);
        at += group.records.size();
    }
    AddListed(
        found, kByFirstLine, AdvisoryCode::DuplicateAccount, "on more than one detail record",
        [](const AccountGroup& group) {
            Advisory advisory{AdvisoryCode::DuplicateAccount,
                              "account " + Shown(group.account()) + " is on " +
                                  LinesText(LinesOf(group.records)),
                              LinesOf(group.records), UnpackAccount(group.account())};
            if (group.equalAmounts()) {
                advisory.amount = group.records.front().cents;
                advisory.message += ", each time for " + FormatCents(*advisory.amount);
            }
            return advisory;
        },
        advisories);
}

struct Change {
    AccountGroup now;
    std::int64_t amount;
    std::int64_t earlierAmount;
};

// Whether `now` against `earlier` is a change amount_changed names: by at
// least the minimum, and by more than the threshold's share of `earlier`.
bool ChangedPastThreshold(std::int64_t now, std::int64_t earlier, const AdvisorySettings& settings) {
    const std::int64_t change = now > earlier ? now - earlier : earlier - now;
    const std::int64_t base = earlier < 0 ? -earlier : earlier;
    return change > 0 && change >= settings.minimumChange &&
           static_cast<double>(change) * 100 > settings.thresholdPercent * static_cast<double>(base);
}

std::optional<double> ChangePercent(std::int64_t now, std::int64_t earlier) {
    if (earlier == 0)
        return std::nullopt;
    return static_cast<double>(now - earlier) * 100 / static_cast<double>(earlier);
}

std::string ChangeText(std::int64_t now, std::int64_t earlier) {
    const std::optional<double> percent = ChangePercent(now, earlier);
    return Signed(static_cast<WideCents>(now) - earlier) + (percent ? ", " + PercentText(*percent) : "");
}

void AddComparison(const AccountRecords& now, const AccountRecords& earlier, const AdvisorySettings& settings,
                   std::vector<Advisory>& advisories) {
    std::vector<AccountGroup> added;
    std::vector<AccountGroup> missing;
    std::vector<Change> changed;
    const std::vector<AccountRecord>& a = now.records();
    const std::vector<AccountRecord>& b = earlier.records();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && a[i].account < b[j].account)) {
            added.push_back(GroupAt(a, i));
            i += added.back().records.size();
        } else if (i == a.size() || b[j].account < a[i].account) {
            missing.push_back(GroupAt(b, j));
            j += missing.back().records.size();
        } else {
            const AccountGroup thisGroup = GroupAt(a, i);
            const AccountGroup earlierGroup = GroupAt(b, j);
            i += thisGroup.records.size();
            j += earlierGroup.records.size();
            // An account on several records is duplicate_account's to name.
            if (thisGroup.records.size() > 1)
                continue;
            const std::optional<std::int64_t> amount = thisGroup.sum();
            const std::optional<std::int64_t> earlierAmount = earlierGroup.sum();
            if (amount && earlierAmount && ChangedPastThreshold(*amount, *earlierAmount, settings))
                changed.push_back({thisGroup, *amount, *earlierAmount});
        }
    }
    AddListed(
        added, kByFirstLine, AdvisoryCode::NewAccount, "not in the earlier file",
        [](const AccountGroup& group) {
            return Advisory{AdvisoryCode::NewAccount,
                            "account " + Shown(group.account()) + " on " + LinesText(LinesOf(group.records)) +
                                " is not in the earlier file",
                            LinesOf(group.records), UnpackAccount(group.account()), group.sum()};
        },
        advisories);
    AddListed(
        missing, [](const AccountGroup& x, const AccountGroup& y) { return x.account() < y.account(); },
        AdvisoryCode::MissingAccount, "of the earlier file not in this one",
        [](const AccountGroup& group) {
            return Advisory{AdvisoryCode::MissingAccount,
                            "account " + Shown(group.account()) + " of the earlier file is not in this one",
                            {},
                            UnpackAccount(group.account()),
                            std::nullopt,
                            group.sum()};
        },
        advisories);
    AddListed(
        changed, [](const Change& x, const Change& y) { return x.now.firstLine() < y.now.firstLine(); },
        AdvisoryCode::AmountChanged, "whose amount changed as much",
        [](const Change& change) {
            return Advisory{AdvisoryCode::AmountChanged,
                            "account " + Shown(change.now.account()) + " on " +
                                LinesText(LinesOf(change.now.records)) + ": " + FormatCents(change.amount) +
                                ", against " + FormatCents(change.earlierAmount) + " in the earlier file (" +
                                ChangeText(change.amount, change.earlierAmount) + ")",
                            LinesOf(change.now.records),
                            UnpackAccount(change.now.account()),
                            change.amount,
                            change.earlierAmount,
                            ChangePercent(change.amount, change.earlierAmount)};
        },
        advisories);

    Advisory totals{AdvisoryCode::TotalsChanged,
                    "against the earlier file: " + Grouped(now.count()) + " detail records, " +
                        Grouped(earlier.count()) + " before (" + (now.count() >= earlier.count() ? "+" : "") +
                        Grouped(now.count() - earlier.count()) + ")"};
    totals.amount = now.total();
    totals.earlierAmount = earlier.total();
    if (totals.amount && totals.earlierAmount) {
        totals.message += "; " + FormatCents(*totals.amount) + " in all, " +
                          FormatCents(*totals.earlierAmount) + " before (" +
                          ChangeText(*totals.amount, *totals.earlierAmount) + ")";
        totals.changePercent = ChangePercent(*totals.amount, *totals.earlierAmount);
    }
    advisories.push_back(std::move(totals));
}

bool IsWeekend(year_month_day day) {
    const std::chrono::weekday weekday{sys_days{day}};
    return weekday == std::chrono::Saturday || weekday == std::chrono::Sunday;
}

// The banking days after `today` up to and including `date`, counted as far as `enough`.
int BankingDaysUntil(year_month_day today, year_month_day date, int enough, const HolidayList& holidays) {
    int count = 0;
    for (sys_days day = sys_days{today} + std::chrono::days{1}; day <= sys_days{date} && count < enough;
         day += std::chrono::days{1})
        if (!IsWeekend(day) && !holidays.find(day))
            ++count;
    return count;
}

void AddDateAdvisories(year_month_day date, const AdvisorySettings& settings, const HolidayList& holidays,
                       std::vector<Advisory>& advisories) {
    const std::string iso = IsoText(date);
    const std::string said = "the effective date " + iso;
    if (sys_days{date} < sys_days{settings.today}) {
        advisories.push_back({AdvisoryCode::DatePast, said + " is before today, " + IsoText(settings.today)});
        advisories.back().date = iso;
        return;
    }
    if (IsWeekend(date)) {
        const bool saturday = std::chrono::weekday{sys_days{date}} == std::chrono::Saturday;
        advisories.push_back(
            {AdvisoryCode::DateWeekend, said + " is a " + (saturday ? "Saturday" : "Sunday")});
        advisories.back().date = iso;
    }
    if (const Holiday* holiday = holidays.find(date)) {
        advisories.push_back({AdvisoryCode::DateHoliday,
                              said + " is a holiday" + (holiday->name.empty() ? "" : ": " + holiday->name)});
        advisories.back().date = iso;
        advisories.back().holiday = holiday->name;
    }
    if (settings.leadDays > 0) {
        const int days = BankingDaysUntil(settings.today, date, settings.leadDays, holidays);
        if (days < settings.leadDays) {
            advisories.push_back({AdvisoryCode::DateSoon, said + " is " + std::to_string(days) +
                                                              (days == 1 ? " banking day" : " banking days") +
                                                              " after today, fewer than " +
                                                              std::to_string(settings.leadDays)});
            advisories.back().date = iso;
        }
    }
}

// By code, then line; advisories without a line after those with one, by
// account; the one that counts the unlisted last.
bool InReportOrder(const Advisory& a, const Advisory& b) {
    const auto key = [](const Advisory& x) {
        return std::tuple(x.code, x.lines.empty(), x.lines.empty() ? 0 : x.lines.front(), x.account.empty(),
                          std::string_view(x.account));
    };
    return key(a) < key(b);
}

} // namespace

Advisor::Advisor(Format format, AdvisorySettings settings)
    : format_(format), settings_(std::move(settings)) {}

void Advisor::controlRecord(const Fields& control) {
    companyCode_ = control[control::CompanyCode];
    effectiveDate_ = control[control::EffectiveDate];
}

void Advisor::detailRecord(const DetailRecordSeen& record) {
    const std::optional<std::int64_t> cents =
        record.cents ? record.cents : ReadableCents(record.amount, FormatTable(format_).detailWholeLength);
    records_.add(PackAccount(record.account), record.line, cents);
}

void Advisor::endOfFile() {
    wholeFile_ = true;
}

AdvisoryReport Advisor::report() {
    AdvisoryReport report;
    if (!wholeFile_)
        return report;
    std::vector<Advisory>& advisories = report.advisories;
    if (!settings_.today.ok()) {
        report.problems.emplace_back("today's date is not known, so the effective date is not checked");
    } else if (const std::optional<std::string> iso = IsoDate(effectiveDate_)) {
        HolidayList holidays;
        if (!settings_.holidayPath.empty())
            holidays = ReadHolidayList(settings_.holidayPath);
        std::ranges::move(holidays.problems, std::back_inserter(report.problems));
        AddDateAdvisories(*IsoDay(*iso), settings_, holidays, advisories);
    }
    records_.sortByAccount();
    AddDuplicates(records_, advisories);
    if (!settings_.earlierPath.empty()) {
        try {
            AddComparison(records_, ReadEarlierFile(format_, settings_.earlierPath, companyCode_), settings_,
                          advisories);
        } catch (const EarlierFileRefused& e) {
            report.problems.emplace_back(e.what());
        }
    }
    std::ranges::stable_sort(advisories, InReportOrder);
    return report;
}

} // namespace qrv
