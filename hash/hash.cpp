#include "hash/hash.h"

#include "engine/numeric.h"

#include <array>
#include <span>

namespace qrv {

namespace {

// Weights of the one-character fields of AccountDigitLayout (positions 1 to
// 10) and AmountDigitLayout (positions 1 to 11).
constexpr std::array kAccountWeights = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
constexpr std::array kAmountWeights = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};

// AmountDigitLayout weighs ZeroString(12 - n) followed by the amount. The
// zeros add nothing, so for n up to 12 the amount's first n - 1 characters
// take the last n - 1 weights (its last character none); a longer amount
// has its first eleven characters weighed. Read in place: no padded copy.
int AmountSum(std::string_view amount) {
    const std::span<const int> weights(kAmountWeights);
    if (amount.size() > 12)
        return WeightedDigitSum(amount, weights);
    return WeightedDigitSum(amount, weights.last(amount.empty() ? 0 : amount.size() - 1));
}

} // namespace

std::string ZeroString(int n) {
    return n > 0 ? std::string(static_cast<std::size_t>(n), '0') : std::string();
}

std::int32_t HashRecord(std::string_view account, std::string_view amount) {
    const int s1 = InField("AccountNo", [&] { return WeightedDigitSum(account, kAccountWeights); });
    const int s2 = InField("Amount", [&] { return AmountSum(amount); });
    return s1 * s2;
}

std::int32_t AddToHashTotal(std::int32_t total, std::int32_t record) {
    return (total + record) % kHashModulus;
}

} // namespace qrv
