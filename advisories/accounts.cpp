#include "advisories/accounts.h"

#include "core/digit_sums.h"
#include "core/numeric.h"

#include <algorithm>
#include <limits>

namespace qrv {

AccountKey PackAccount(std::string_view account) {
    AccountKey key;
    for (std::size_t i = 0; i < 8; ++i)
        key.head = key.head << 8 | (i < account.size() ? static_cast<unsigned char>(account[i]) : 0u);
    for (std::size_t i = 8; i < kMaxAccountLength; ++i)
        key.tail = key.tail << 8 | (i < account.size() ? static_cast<unsigned char>(account[i]) : 0u);
    key.tail = key.tail << 8 | static_cast<std::uint32_t>(account.size());
    return key;
}

std::string UnpackAccount(AccountKey key) {
    std::string bytes(kMaxAccountLength, '\0');
    for (std::size_t i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>(key.head >> (8 * (7 - i)) & 0xFF);
    for (std::size_t i = 8; i < kMaxAccountLength; ++i)
        bytes[i] = static_cast<char>(key.tail >> (8 * (kMaxAccountLength - i)) & 0xFF);
    bytes.resize(key.tail & 0xFF);
    return bytes;
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

void AccountRecords::add(AccountKey account, std::int64_t line, std::optional<std::int64_t> cents) {
    records_.push_back({account, line, cents});
    if (cents)
        total_ += *cents;
}

void AccountRecords::sortByAccount() {
    std::ranges::sort(records_, [](const AccountRecord& a, const AccountRecord& b) {
        return a.account != b.account ? a.account < b.account : a.line < b.line;
    });
}

std::optional<std::int64_t> AccountRecords::total() const {
    if (total_ > std::numeric_limits<std::int64_t>::max() ||
        total_ < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(total_);
}

} // namespace qrv
