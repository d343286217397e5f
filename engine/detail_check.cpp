#include "engine/detail_check.h"

#include "engine/numeric.h"

#include <algorithm>
#include <array>
#include <string>

namespace qrv {

namespace {

int DigitAt(std::string_view text, std::size_t at) {
    return ToInt16(CharacterAt(text, at));
}

bool HasTenDigits(std::string_view account) {
    return account.size() >= 10 && AllDigits(account.substr(0, 10));
}

// Savings and current accounts, by the first three digits and the fourth.
bool IsSavingsOrCurrent(std::string_view account) {
    const int prefix = DigitAt(account, 0) * 100 + DigitAt(account, 1) * 10 + DigitAt(account, 2);
    const int type = DigitAt(account, 3);
    if (prefix > 400 && prefix < 470)
        return (prefix >= 401 && prefix <= 460) || (prefix >= 468 && prefix <= 469);
    return type >= 2 && type <= 6;
}

} // namespace

DetailRules::DetailRules(const Fields& controlFields)
    : effectiveDate_(controlFields[control::EffectiveDate]) {
    static constexpr std::string_view kDebitCodes[] = {"D", "I", "P", "Z", "6"};
    static constexpr std::string_view kCreditCodes[] = {"C", "S", "G", "X", "1", "4", "0", "W", "E", "T"};
    const std::string code = UpperCase(controlFields[control::ApplyCode]);
    const auto listed = [&](const auto& codes) {
        return std::ranges::find(codes, code) != std::end(codes);
    };
    zeroSignFits_ = listed(kDebitCodes);
    otherSignFits_ = listed(kCreditCodes);
}

bool CheckAccountDigit(std::string_view account) {
    static constexpr std::array kWeights = {4, 3, 2, 7, 6, 5, 4, 3, 2};
    const std::string_view last = account.empty() ? account : account.substr(account.size() - 1);
    if (!IsNumericText(last))
        return false;
    const int sum = WeightedDigitSum(account, kWeights);
    return (10 - sum % 10) % 10 == ToInt16(last);
}

std::string_view CheckDetailRecord(const Fields& detailFields, const DetailRules& rules) {
    const std::string_view account = detailFields[detail::AccountNo];
    if (!IsNumericText(account))
        return "ACCOUNT is not numeric";
    if (!HasTenDigits(account) || account == "0000000000")
        return "Invalid Account";
    if (!CheckAccountDigit(account))
        return "Check digit error";
    if (!IsSavingsOrCurrent(account))
        return "ACCOUNT not SAV or CUR";
    if (!IsNumericText(detailFields[detail::Amount]))
        return "AMOUNT is not Numeric";
    if (!rules.signFits(InField("Sign", [&] { return ToInt16(detailFields[detail::Sign]); })))
        return "Invalid sign amount";
    if (detailFields[detail::EffectiveDate] != rules.effectiveDate())
        return "EFF.DATE NOT EQ CLT R.";
    return {};
}

std::string_view CheckDetailRecord(const Fields& detailFields, const Fields& controlFields) {
    return CheckDetailRecord(detailFields, DetailRules(controlFields));
}

} // namespace qrv
