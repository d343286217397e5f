#include "advisories/accounts.h"

#include "core/digit_sums.h"
#include "core/digits.h"
#include "core/numeric.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace qrv {

namespace {

constexpr std::uint64_t kFirstOther = 10'000'000'000;
constexpr std::int64_t kUnreadable = std::numeric_limits<std::int64_t>::min();

} // namespace

std::uint64_t AccountNumbers::number(std::string_view account) {
    if (account.size() == 10 && AllDigits(account))
        return EightDigitsValue(EightCharacters(account.data())) * 100 +
               static_cast<std::uint64_t>((account[8] - '0') * 10 + (account[9] - '0'));
    const auto [at, added] = others_.try_emplace(std::string(account), kFirstOther + othersByNumber_.size());
    if (added)
        othersByNumber_.push_back(at->first);
    return at->second;
}

std::string AccountNumbers::text(std::uint64_t number) const {
    if (number >= kFirstOther)
        return othersByNumber_.at(number - kFirstOther);
    std::string digits(10, '0');
    for (std::size_t i = 10; i-- > 0; number /= 10)
        digits[i] = static_cast<char>('0' + number % 10);
    return digits;
}

std::optional<std::int64_t> ReadableCents(std::string_view amount, std::size_t wholeLength) {
    if (!IsNumericText(amount))
        return std::nullopt;
    try {
        return AmountCents(amount, wholeLength);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

void AccountRecords::reserve(std::size_t records) {
    entries_.reserve(records);
    cents_.reserve(records);
}

bool AccountRecords::add(std::uint64_t account, std::optional<std::int64_t> cents) {
    if (count() == kMaxRecords)
        return false;
    entries_.push_back(account << kRecordBits | static_cast<std::uint64_t>(count()));
    cents_.push_back(cents.value_or(kUnreadable));
    if (cents)
        total_ += *cents;
    return true;
}

// Least significant digit first, twelve bits a pass, over the account's 34
// bits only: each pass keeps the order of the one before, so records stay in
// file order within an account. One read counts the digits of every pass.
void AccountRecords::sortByAccount() {
    if (std::ranges::is_sorted(entries_))
        return; // a file in account order, as payroll files often are
    constexpr int kDigitBits = 12;
    constexpr int kPasses = (64 - kRecordBits + kDigitBits - 1) / kDigitBits;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
    const auto digit = [](std::uint64_t entry, int pass) {
        return static_cast<std::size_t>(entry >> (kRecordBits + pass * kDigitBits) & (kBuckets - 1));
    };
    std::vector<std::array<std::size_t, kBuckets>> start(kPasses);
    for (const std::uint64_t entry : entries_)
        for (int pass = 0; pass < kPasses; ++pass)
            ++start[static_cast<std::size_t>(pass)][digit(entry, pass)];
    std::vector<std::uint64_t> sorted;
    for (int pass = 0; pass < kPasses; ++pass) {
        std::array<std::size_t, kBuckets>& bucketStart = start[static_cast<std::size_t>(pass)];
        if (entries_.empty() || bucketStart[digit(entries_.front(), pass)] == entries_.size())
            continue; // one digit for all: already in order
        std::size_t at = 0;
        for (std::size_t& bucket : bucketStart)
            at += std::exchange(bucket, at);
        sorted.resize(entries_.size());
        for (const std::uint64_t entry : entries_)
            sorted[bucketStart[digit(entry, pass)]++] = entry;
        entries_.swap(sorted);
    }
}

std::optional<std::int64_t> AccountRecords::cents(std::uint64_t record) const {
    const std::int64_t value = cents_[record];
    if (value == kUnreadable)
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> AccountRecords::total() const {
    if (total_ > std::numeric_limits<std::int64_t>::max() ||
        total_ < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(total_);
}

} // namespace qrv
