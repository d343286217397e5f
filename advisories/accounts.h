// The detail records of a file held compactly: eight bytes of account and
// record number and eight of amount a record, so that a million of them
// take 16 MB and are put in account order by a radix sort.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrv {

// Account number fields as numbers below 2^34 that both files of a
// comparison share: ten digits are their value; any other field (blanks, a
// letter, a short line) gets the next number from 10^10 on the first time it
// is met.
class AccountNumbers {
  public:
    std::uint64_t number(std::string_view account);
    // The field a number stands for.
    std::string text(std::uint64_t number) const;

  private:
    std::unordered_map<std::string, std::uint64_t> others_;
    std::vector<std::string> othersByNumber_;
};

// Detail records are numbered from 0 in file order: record i is line i + 2.
inline constexpr int kRecordBits = 30;
inline constexpr std::int64_t kMaxRecords = std::int64_t{1} << kRecordBits;

inline std::int64_t LineOfRecord(std::uint64_t record) {
    return static_cast<std::int64_t>(record) + 2;
}

// The Amount field in hundredths, as the run reads an accepted record's;
// nothing when it is no number (a rejected record's may not be).
std::optional<std::int64_t> ReadableCents(std::string_view amount, std::size_t wholeLength);

// The detail records of one file.
class AccountRecords {
  public:
    void reserve(std::size_t records);
    // False, and nothing added, once kMaxRecords are held.
    bool add(std::uint64_t account, std::optional<std::int64_t> cents);
    // Puts the records in account order, file order within an account; done
    // once, after the last add().
    void sortByAccount();

    // Each record's account << kRecordBits | its number.
    const std::vector<std::uint64_t>& entries() const { return entries_; }
    std::optional<std::int64_t> cents(std::uint64_t record) const;
    std::int64_t count() const { return static_cast<std::int64_t>(cents_.size()); }
    // The sum of the amounts that can be read; nothing past what 64 bits hold.
    std::optional<std::int64_t> total() const;

  private:
    std::vector<std::uint64_t> entries_;
    std::vector<std::int64_t> cents_; // by record; kUnreadable for no number
    __extension__ __int128 total_ = 0;
};

inline std::uint64_t AccountOf(std::uint64_t entry) {
    return entry >> kRecordBits;
}
inline std::uint64_t RecordOf(std::uint64_t entry) {
    return entry & (kMaxRecords - 1);
}

} // namespace qrv
