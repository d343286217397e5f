#include "hash/hash.h"

#include "core/digit_sums.h"

#include <array>
#include <span>

namespace qrv {

namespace {

// Weights of the one-character fields of AccountDigitLayout (positions 1 to
// 10) and AmountDigitLayout (positions 1 to 11).
constexpr std::array kAccountWeights = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
constexpr std::array kAmountWeights = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};

// The weights of the amount's characters, from its first. AmountDigitLayout
// weighs 12 - n zeros followed by the amount; the zeros add nothing,
// so for n up to 12 the amount's first n - 1 characters take the last n - 1
// weights (its last character none), and a longer amount has its first
// eleven characters weighed. Read in place: no padded copy.
std::span<const int> AmountWeights(std::size_t n) {
    const std::span<const int> weights(kAmountWeights);
    if (n > 12)
        return weights;
    return weights.last(n == 0 ? 0 : n - 1);
}

} // namespace

std::int32_t HashRecord(std::string_view account, std::string_view amount) {
    const int s1 = InField("AccountNo", [&] { return WeightedDigitSum(account, kAccountWeights); });
    const int s2 = InField("Amount", [&] { return WeightedDigitSum(amount, AmountWeights(amount.size())); });
    return s1 * s2;
}

std::int32_t PlainHashRecord(std::string_view account, std::string_view amount) {
    return PlainWeightedSum(account, kAccountWeights) *
           PlainWeightedSum(amount, AmountWeights(amount.size()));
}

std::int32_t AddToHashTotal(std::int32_t total, std::int32_t record) {
    return (total + record) % kHashModulus;
}

} // namespace qrv
