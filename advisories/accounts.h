// The detail records of a file held compactly, by account: a million of them
// fit in a few tens of megabytes and are compared by one sort and one walk.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// An account number field of up to ten bytes, as it stands (blanks and all),
// packed into integers that order as the bytes do.
struct AccountKey {
    std::uint64_t head = 0; // bytes 1-8, the first in the highest byte
    std::uint32_t tail = 0; // bytes 9 and 10, then the field's length
    auto operator<=>(const AccountKey&) const = default;
};

inline constexpr std::size_t kMaxAccountLength = 10;

// `account` has at most kMaxAccountLength bytes.
AccountKey PackAccount(std::string_view account);
std::string UnpackAccount(AccountKey key);

struct AccountRecord {
    AccountKey account;
    std::int64_t line;                 // media file line, counted from 1
    std::optional<std::int64_t> cents; // nothing when Amount cannot be read as a number
};

// The Amount field in hundredths, as the run reads an accepted record's;
// nothing when it is no number (a rejected record's may not be).
std::optional<std::int64_t> ReadableCents(std::string_view amount, std::size_t wholeLength);

// The detail records of one file.
class AccountRecords {
  public:
    void add(AccountKey account, std::int64_t line, std::optional<std::int64_t> cents);
    // Sorts the records by account, then line; done once, before the groups are read.
    void sortByAccount();
    const std::vector<AccountRecord>& records() const { return records_; }
    std::int64_t count() const { return static_cast<std::int64_t>(records_.size()); }
    // The sum of the amounts that can be read; nothing past what 64 bits hold.
    std::optional<std::int64_t> total() const;

  private:
    std::vector<AccountRecord> records_;
    __extension__ __int128 total_ = 0;
};

} // namespace qrv
