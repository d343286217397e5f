#include "engine/numeric.h"
#include "hash/hash.h"

#include <gtest/gtest.h>

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

TEST(ZeroString, CountsZeros) {
    EXPECT_EQ(ZeroString(3), "000");
    EXPECT_EQ(ZeroString(0), "");
    EXPECT_EQ(ZeroString(-2), "");
}

} // namespace
