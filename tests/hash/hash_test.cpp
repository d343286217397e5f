#include "core/digit_sums.h"
#include "hash/hash.h"

#include <gtest/gtest.h>

#include <string>

using namespace qrv;

namespace {

TEST(HashRecord, WorkedExamples) {
    EXPECT_EQ(HashRecord("1234567896", "00000150000"), 6696);
    EXPECT_EQ(HashRecord("4102345677", "00001234567"), 12320);
    EXPECT_EQ(AddToHashTotal(AddToHashTotal(0, 6696), 12320), 19016);
    EXPECT_EQ(AddToHashTotal(995000, 6696), 1696);
}

TEST(HashRecord, AmountWeightsFromTheRightWhateverTheWidth) {
    EXPECT_EQ(HashRecord("1234567896", "000150000"), HashRecord("1234567896", "00000150000"));
    EXPECT_EQ(HashRecord("1234567896", "00000000000"), 0);
    EXPECT_EQ(HashRecord("1234567896", "00000000009"), 0);
    EXPECT_EQ(HashRecord("1234567896", "00000150001"), HashRecord("1234567896", "00000150000"));
    EXPECT_EQ(HashRecord("1234567896", "0000015000X"), 6696); // the last character is never read
    EXPECT_EQ(HashRecord("9999999999", "99999999999"), 495 * 585);
}

TEST(HashRecord, NonDigitsFailTheRunWithTheirField) {
    const auto fieldOf = [](const char* account, const char* amount) {
        try {
            HashRecord(account, amount);
        } catch (const ConversionError& e) {
            return e.field();
        }
        return std::string("none");
    };
    EXPECT_EQ(fieldOf("1234567896", "   00150000"), "Amount");
    EXPECT_EQ(fieldOf("1234567896", "0000015.000"), "Amount");
    EXPECT_EQ(fieldOf("1234567896", "-0000150000"), "Amount");
    EXPECT_EQ(fieldOf("123456789 ", "00000150000"), "AccountNo");
}

// S2 as the digit layout cuts it: 12 - n zeros and the amount, its
// first eleven characters weighted 12 down to 2.
int PaddedAmountSum(const std::string& amount) {
    const std::string padded = std::string(amount.size() < 12 ? 12 - amount.size() : 0, '0') + amount;
    int sum = 0;
    for (int i = 0; i < 11; ++i)
        sum += (12 - i) * (padded[static_cast<std::size_t>(i)] - '0');
    return sum;
}

TEST(HashRecord, AmountOfAnyWidthWeighsAsThePaddedText) {
    const std::string account = "1000000009"; // S1 = 10 + 9
    for (const std::string amount : {"", "7", "12", "000150000", "00000150000", "98765432109", "987654321098",
                                     "9876543210987", "12345678901234"})
        EXPECT_EQ(HashRecord(account, amount), 19 * PaddedAmountSum(amount)) << amount;
}

TEST(PlainHashRecord, AgreesWithHashRecordOnPlainDigits) {
    for (const char* account : {"1234567896", "9999999999", "0000000001", "4102345677", "9080706050"})
        for (const char* amount :
             {"00000150000", "99999999999", "000150000", "999999999", "90817263544", "1", ""})
            EXPECT_EQ(PlainHashRecord(account, amount), HashRecord(account, amount))
                << account << " " << amount;
}

} // namespace
