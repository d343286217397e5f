#include "advisories/advisor.h"

#include "advisories/earlier_file.h"
#include "advisories/holidays.h"
#include "core/cp874.h"
#include "core/dates.h"
#include "core/digits.h"
#include "core/display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <new>
#include <span>
#include <tuple>

namespace qrv {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

std::string Shown(const AccountNumbers& numbers, std::uint64_t account) {
    return Cp874ToUtf8(numbers.text(account));
}

// A count with "," grouping: 1,000,000.
std::string Grouped(std::int64_t count) {
    const std::string cents = FormatCents(static_cast<WideCents>(count) * 100);
    return cents.substr(0, cents.size() - 3);
}

// "line 3", "lines 3 and 9", "lines 3, 9 and 12"; past ten lines, "12,000
// lines, the first 3, 9, ... and 40": a message stays a line to read.
// `count` is of all the lines, of which `lines` may list only the first.
std::string LinesText(std::span<const std::int64_t> lines, std::size_t count) {
    constexpr std::size_t kNamed = 10;
    const std::size_t named = std::min(lines.size(), kNamed);
    std::string text = count == 1       ? "line "
                       : named == count ? "lines "
                                        : Grouped(static_cast<std::int64_t>(count)) + " lines, the first ";
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += i + 1 == named ? " and " : ", ";
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

constexpr std::size_t kListedLines = 1000;

// The records of one account: a run of a file's entries sorted by account.
struct AccountGroup {
    std::span<const std::uint64_t> entries;
    const AccountRecords* file;

    std::uint64_t account() const { return AccountOf(entries.front()); }
    std::int64_t firstLine() const { return LineOfRecord(RecordOf(entries.front())); }
    // The first kListedLines of them: a file of blank lines would otherwise
    // give one advisory as large as the file.
    std::vector<std::int64_t> lines() const {
        std::vector<std::int64_t> lines;
        for (const std::uint64_t entry : entries.first(std::min(entries.size(), kListedLines)))
            lines.push_back(LineOfRecord(RecordOf(entry)));
        return lines;
    }
    std::string linesText() const { return LinesText(lines(), entries.size()); }
    // Nothing when an amount cannot be read.
    std::optional<std::int64_t> sum() const {
        std::int64_t total = 0;
        for (const std::uint64_t entry : entries) {
            const std::optional<std::int64_t> cents = file->cents(RecordOf(entry));
            if (!cents)
                return std::nullopt;
            total += *cents;
        }
        return total;
    }
    std::optional<std::int64_t> commonAmount() const {
        const std::optional<std::int64_t> first = file->cents(RecordOf(entries.front()));
        for (const std::uint64_t entry : entries)
            if (file->cents(RecordOf(entry)) != first)
                return std::nullopt;
        return first;
    }
};

// The group that begins at `at` of `file`'s entries.
AccountGroup GroupAt(const AccountRecords& file, std::size_t at) {
    const std::vector<std::uint64_t>& entries = file.entries();
    std::size_t end = at + 1;
    while (end < entries.size() && AccountOf(entries[end]) == AccountOf(entries[at]))
        ++end;
    return {std::span(entries).subspan(at, end - at), &file};
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

void AddDuplicates(const AccountRecords& records, const AccountNumbers& numbers,
                   std::vector<Advisory>& advisories) {
    std::vector<AccountGroup> found;
    for (std::size_t at = 0; at < records.entries().size();) {
        const AccountGroup group = GroupAt(records, at);
        if (group.entries.size() > 1)
            found.push_back(group);
        at += group.entries.size();
    }
    AddListed(
        found, kByFirstLine, AdvisoryCode::DuplicateAccount, "on more than one detail record",
        [&numbers](const AccountGroup& group) {
            Advisory advisory{AdvisoryCode::DuplicateAccount,
                              "account " + Shown(numbers, group.account()) + " is on " + group.linesText(),
                              group.lines(), numbers.text(group.account())};
            if (const std::optional<std::int64_t> amount = group.commonAmount()) {
                advisory.amount = amount;
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

void AddComparison(const AccountRecords& now, const AccountRecords& earlier, const AccountNumbers& numbers,
                   const AdvisorySettings& settings, std::vector<Advisory>& advisories) {
    std::vector<AccountGroup> added;
    std::vector<AccountGroup> missing;
    std::vector<Change> changed;
    const std::vector<std::uint64_t>& a = now.entries();
    const std::vector<std::uint64_t>& b = earlier.entries();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && AccountOf(a[i]) < AccountOf(b[j]))) {
            added.push_back(GroupAt(now, i));
            i += added.back().entries.size();
        } else if (i == a.size() || AccountOf(b[j]) < AccountOf(a[i])) {
            missing.push_back(GroupAt(earlier, j));
            j += missing.back().entries.size();
        } else {
            const AccountGroup thisGroup = GroupAt(now, i);
            const AccountGroup earlierGroup = GroupAt(earlier, j);
            i += thisGroup.entries.size();
            j += earlierGroup.entries.size();
            // An account on several records is duplicate_account's to name.
            if (thisGroup.entries.size() > 1)
                continue;
            const std::optional<std::int64_t> amount = thisGroup.sum();
            const std::optional<std::int64_t> earlierAmount = earlierGroup.sum();
            if (amount && earlierAmount && ChangedPastThreshold(*amount, *earlierAmount, settings))
                changed.push_back({thisGroup, *amount, *earlierAmount});
        }
    }
    AddListed(
        added, kByFirstLine, AdvisoryCode::NewAccount, "not in the earlier file",
        [&numbers](const AccountGroup& group) {
            return Advisory{AdvisoryCode::NewAccount,
                            "account " + Shown(numbers, group.account()) + " on " + group.linesText() +
                                " is not in the earlier file",
                            group.lines(), numbers.text(group.account()), group.sum()};
        },
        advisories);
    AddListed(
        missing, [](const AccountGroup& x, const AccountGroup& y) { return x.account() < y.account(); },
        AdvisoryCode::MissingAccount, "of the earlier file not in this one",
        [&numbers](const AccountGroup& group) {
            return Advisory{AdvisoryCode::MissingAccount,
                            "account " + Shown(numbers, group.account()) +
                                " of the earlier file is not in this one",
                            {},
                            numbers.text(group.account()),
                            std::nullopt,
                            group.sum()};
        },
        advisories);
    AddListed(
        changed, [](const Change& x, const Change& y) { return x.now.firstLine() < y.now.firstLine(); },
        AdvisoryCode::AmountChanged, "whose amount changed as much",
        [&numbers](const Change& change) {
            return Advisory{AdvisoryCode::AmountChanged,
                            "account " + Shown(numbers, change.now.account()) + " on " +
                                change.now.linesText() + ": " + FormatCents(change.amount) + ", against " +
                                FormatCents(change.earlierAmount) + " in the earlier file (" +
                                ChangeText(change.amount, change.earlierAmount) + ")",
                            change.now.lines(),
                            numbers.text(change.now.account()),
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
        totals.message += "; their amounts add up to " + FormatCents(*totals.amount) + ", " +
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

constexpr std::string_view kNoMemory = "there is not enough memory to compare the accounts of this file";

Advisor::Advisor(Format format, AdvisorySettings settings)
    : format_(format), settings_(std::move(settings)) {}

void Advisor::controlRecord(const Fields& control) {
    companyCode_ = control[control::CompanyCode];
    effectiveDate_ = control[control::EffectiveDate];
    // The count the control record gives, when it is one: no growing for a file that keeps its word.
    const std::string_view count = control[control::TotalRecord];
    if (count.size() <= 5 && AllDigits(count))
        holdOrLetGo([&] { records_.reserve(static_cast<std::size_t>(std::stoi(std::string(count)))); });
}

void Advisor::detailRecord(const DetailRecordSeen& record) {
    if (outOfMemory_)
        return;
    const std::optional<std::int64_t> cents =
        record.cents ? record.cents : ReadableCents(record.amount, FormatTable(format_).detailWholeLength);
    holdOrLetGo([&] {
        if (!records_.add(numbers_.number(record.account), cents))
            tooMany_ = true;
    });
}

void Advisor::compareAccounts(AdvisoryReport& report) {
    records_.sortByAccount();
    AddDuplicates(records_, numbers_, report.advisories);
    if (settings_.earlierPath.empty())
        return;
    try {
        AddComparison(records_, ReadEarlierFile(format_, settings_.earlierPath, companyCode_, numbers_),
                      numbers_, settings_, report.advisories);
    } catch (const EarlierFileRefused& e) {
        report.problems.emplace_back(e.what());
    }
}

template <class F> void Advisor::holdOrLetGo(F&& hold) {
    try {
        hold();
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
        records_ = AccountRecords();
        numbers_ = AccountNumbers();
    }
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
    if (outOfMemory_)
        report.problems.emplace_back(kNoMemory);
    else if (tooMany_)
        report.problems.push_back("the file has more than " + std::to_string(kMaxRecords) +
                                  " detail records, too many to compare accounts");
    else
        try {
            compareAccounts(report);
        } catch (const std::bad_alloc&) {
            report.problems.emplace_back(kNoMemory);
        }
    std::ranges::stable_sort(advisories, InReportOrder);
    return report;
}

} // namespace qrv
