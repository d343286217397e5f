#include "advisories/accounts.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(PackAccount, GivesBackEveryFieldAsItStood) {
    const std::string accounts[] = {"1234567896",
                                    "",
                                    "12345",
                                    "  34567896",
                                    std::string("\0\xFF\x01z", 4),
                                    std::string(10, '\0'),
                                    std::string(10, '\xFF')};
    for (const std::string& account : accounts)
        EXPECT_EQ(UnpackAccount(PackAccount(account)), account) << account;
}

TEST(PackAccount, OrdersAsTheBytesDo) {
    const std::string ordered[] = {
        "",          std::string(1, '\0'), "0",          "00", "0000000000", "1",
        "123456789", "1234567890",         "1234567891", "2",  "\xA1",       std::string(10, '\xFF')};
    for (std::size_t i = 1; i < std::size(ordered); ++i)
        EXPECT_LT(PackAccount(ordered[i - 1]), PackAccount(ordered[i]))
            << ordered[i - 1] << " < " << ordered[i];
}

TEST(ReadableCents, ReadsWhatTheRunReadsAndNothingElse) {
    EXPECT_EQ(ReadableCents("00000123456", 9), 123456);
    EXPECT_EQ(ReadableCents("  12345678", 8), 12345678) << "blanks before the digits";
    EXPECT_EQ(ReadableCents("0000ABC0000", 9), std::nullopt);
    EXPECT_EQ(ReadableCents("", 9), std::nullopt);
}

TEST(AccountRecords, TotalsTheReadableAmounts) {
    AccountRecords records;
    records.add(PackAccount("1"), 2, 150);
    records.add(PackAccount("2"), 3, std::nullopt);
    records.add(PackAccount("1"), 4, 50);
    EXPECT_EQ(records.count(), 3);
    EXPECT_EQ(records.total(), 200);
}

} // namespace
} // namespace qrv
