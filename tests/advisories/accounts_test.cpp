#include "advisories/accounts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qrv {
namespace {

TEST(AccountNumbers, GiveBackEveryFieldAsItStood) {
    AccountNumbers numbers;
    const std::string accounts[] = {
        "1234567896", "0000000000", "9999999999", "", "12345", "  34567896", std::string("\0\xFF\x01z", 4),
        "123456789X", "1234567896 "};
    for (const std::string& account : accounts)
        EXPECT_EQ(numbers.text(numbers.number(account)), account) << account;
}

TEST(AccountNumbers, AreOneForOneField) {
    AccountNumbers numbers;
    EXPECT_EQ(numbers.number("1234567896"), 1234567896u);
    EXPECT_EQ(numbers.number("12345 7896"), numbers.number("12345 7896"));
    EXPECT_NE(numbers.number("12345 7896"), numbers.number("12345 789"));
    EXPECT_NE(numbers.number("0000000001"), numbers.number("1"));
    EXPECT_LT(numbers.number("ABC"), kMaxRecords * 16) << "fits beside a record number";
}

TEST(ReadableCents, ReadsWhatTheRunReadsAndNothingElse) {
    EXPECT_EQ(ReadableCents("00000123456", 9), 123456);
    EXPECT_EQ(ReadableCents("  12345678", 8), 12345678) << "blanks before the digits";
    EXPECT_EQ(ReadableCents("0000ABC0000", 9), std::nullopt);
    EXPECT_EQ(ReadableCents("", 9), std::nullopt);
}

TEST(AccountRecords, TotalTheReadableAmounts) {
    AccountRecords records;
    records.add(1, 150);
    records.add(2, std::nullopt);
    records.add(1, 50);
    EXPECT_EQ(records.count(), 3);
    EXPECT_EQ(records.total(), 200);
    EXPECT_EQ(records.cents(1), std::nullopt);
    EXPECT_EQ(records.cents(2), 50);
}

// The radix sort against std::stable_sort by account, on accounts of every size.
TEST(AccountRecords, SortByAccountThenFileOrder) {
    std::mt19937_64 random(7);
    for (const std::uint64_t range : {std::uint64_t{3}, std::uint64_t{1000}, std::uint64_t{1} << 34}) {
        AccountRecords records;
        std::vector<std::uint64_t> expected;
        for (std::uint64_t i = 0; i < 5000; ++i) {
            const std::uint64_t account = random() % range;
            records.add(account, 1);
            expected.push_back(account << kRecordBits | i);
        }
        std::ranges::stable_sort(expected, {}, AccountOf);
        records.sortByAccount();
        EXPECT_EQ(records.entries(), expected) << range;
    }
}

} // namespace
} // namespace qrv
