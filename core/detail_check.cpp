#include "core/detail_check.h"

#include "core/digit_sums.h"
#include "core/text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace qrv {

namespace {

constexpr std::array kCheckDigitWeights = {4, 3, 2, 7, 6, 5, 4, 3, 2};

bool HasTenDigits(std::string_view account) {
    return account.size() >= 10 && AllDigits(account.substr(0, 10));
}

// The ten's complement of the last digit of the weighted sum of the first nine.
int ExpectedCheckDigit(int weightedSum) {
    return (10 - weightedSum % 10) % 10;
}

// Savings and current accounts, by the first three digits and the fourth of
// an account already known to be ten digits.
bool IsSavingsOrCurrent(std::string_view account) {
    const int prefix = (account[0] - '0') * 100 + (account[1] - '0') * 10 + (account[2] - '0');
    const int type = account[3] - '0';
    if (prefix > 400 && prefix < 470)
        return (prefix >= 401 && prefix <= 460) || (prefix >= 468 && prefix <= 469);
    return type >= 2 && type <= 6;
}

// The detail record's effective date equals the control record's: for the
// usual six characters a fixed-width comparison, otherwise the plain one.
bool SameDate(std::string_view detailDate, std::string_view controlDate) {
    if (detailDate.size() == 6 && controlDate.size() == 6)
        return std::memcmp(detailDate.data(), controlDate.data(), 6) == 0;
    return detailDate == controlDate;
}

} // namespace

DetailRules::DetailRules(const Fields& controlFields)
    : applyCode_(UpperCase(controlFields[control::ApplyCode])),
      effectiveDate_(controlFields[control::EffectiveDate]) {
    static constexpr std::string_view kDebitCodes[] = {"D", "I", "P", "Z", "6"};
    static constexpr std::string_view kCreditCodes[] = {"C", "S", "G", "X", "1", "4", "0", "W", "E", "T"};
    const auto listed = [&](const auto& codes) {
        return std::ranges::find(codes, applyCode_) != std::end(codes);
    };
    zeroSignFits_ = listed(kDebitCodes);
    otherSignFits_ = listed(kCreditCodes);
}

bool CheckAccountDigit(std::string_view account) {
    const std::string_view last = account.empty() ? account : account.substr(account.size() - 1);
    if (!IsNumericText(last))
        return false;
    return ExpectedCheckDigit(WeightedDigitSum(account, kCheckDigitWeights)) == ToInt16(last);
}

std::string_view CheckDetailRecord(const Fields& detailFields, const DetailRules& rules) {
    const std::string_view account = detailFields[detail::AccountNo];
    if (!IsNumericText(account))
        return reason::kAccountNotNumeric.text;
    if (!HasTenDigits(account) || account == "0000000000")
        return reason::kInvalidAccount.text;
    if (!CheckAccountDigit(account))
        return reason::kCheckDigit.text;
    if (!IsSavingsOrCurrent(account))
        return reason::kAccountType.text;
    if (!IsNumericText(detailFields[detail::Amount]))
        return reason::kAmountNotNumeric.text;
    if (!rules.signFits(InField("Sign", [&] { return ToInt16(detailFields[detail::Sign]); })))
        return reason::kSign.text;
    if (!SameDate(detailFields[detail::EffectiveDate], rules.effectiveDate()))
        return reason::kEffectiveDate.text;
    return {};
}

namespace {

std::string SignExpected(const DetailRules& rules) {
    const std::string code = "apply code \"" + rules.applyCode() + "\"";
    if (rules.signFits(0))
        return "the sign 0, as " + code + " asks";
    if (rules.signFits(1))
        return "a sign other than 0, as " + code + " asks";
    return "a sign " + code + " takes, but it takes none";
}

// What the rule that gave `reason` wants of the field it reads.
std::pair<std::size_t, std::string> FieldAndExpected(std::string_view reason, const Fields& detailFields,
                                                     const DetailRules& rules) {
    const std::string_view account = detailFields[detail::AccountNo];
    if (reason == reason::kCheckDigit.text)
        return {detail::AccountNo, "check digit " + std::to_string(ExpectedCheckDigit(
                                                        WeightedDigitSum(account, kCheckDigitWeights)))};
    if (reason == reason::kInvalidAccount.text && account == "0000000000")
        return {detail::AccountNo, "an account other than 0000000000"};
    if (reason == reason::kAccountNotNumeric.text || reason == reason::kInvalidAccount.text)
        return {detail::AccountNo, "ten digits"};
    if (reason == reason::kAccountType.text)
        return {detail::AccountNo, "a savings or current account type, as the rule reads it"};
    if (reason == reason::kAmountNotNumeric.text)
        return {detail::Amount, "a number"};
    if (reason == reason::kSign.text)
        return {detail::Sign, SignExpected(rules)};
    return {detail::EffectiveDate, "the control record's date " + std::string(rules.effectiveDate())};
}

} // namespace

Location LocateRejection(std::string_view reason, const Fields& detailFields, const DetailRules& rules,
                         FieldLayout layout) {
    auto [field, expected] = FieldAndExpected(reason, detailFields, rules);
    Location where = LocateField(detailFields, layout, kDetailFieldNames, field);
    where.expected = std::move(expected);
    where.hint = MustHoldHint(where, "this record");
    return where;
}

bool IsAcceptedPlainRecord(const Fields& detailFields, const DetailRules& rules, std::size_t amountLength) {
    const std::string_view account = detailFields[detail::AccountNo];
    const std::string_view sign = detailFields[detail::Sign];
    const std::string_view amount = detailFields[detail::Amount];
    // The shape, which passes the numeric tests of the account and the
    // amount, and the conversion of the sign, once and for all.
    if (account.size() != 10 || !AllDigits(account) || sign.size() != 1 || !AllDigits(sign) ||
        amount.size() != amountLength || !AllDigits(amount))
        return false;
    return std::memcmp(account.data(), "0000000000", 10) != 0 &&
           ExpectedCheckDigit(PlainWeightedSum(account, kCheckDigitWeights)) == account[9] - '0' &&
           IsSavingsOrCurrent(account) && rules.signFits(sign[0] - '0') &&
           SameDate(detailFields[detail::EffectiveDate], rules.effectiveDate());
}

} // namespace qrv
