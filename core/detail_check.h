// Checks of one detail record.
#pragma once

#include "core/coded_text.h"
#include "core/fields.h"
#include "core/location.h"

#include <string>
#include <string_view>

namespace qrv {

// Whether the last character of a ten-digit account is its check digit
// (weights 4 3 2 7 6 5 4 3 2, modulus 10). A last character that is not a
// digit answers false; a non-digit among the first nine throws ConversionError.
bool CheckAccountDigit(std::string_view account);

// What the detail checks read from the control record, worked out once for
// all the detail records of a file. Keeps a view of the control record's
// effective date: the control line must outlive it.
class DetailRules {
  public:
    explicit DetailRules(const Fields& controlFields);

    // Whether a record's sign of the given value agrees with the apply code.
    bool signFits(int sign) const { return sign == 0 ? zeroSignFits_ : otherSignFits_; }
    std::string_view effectiveDate() const { return effectiveDate_; }
    // The control record's apply code, trimmed of nothing, in upper case.
    const std::string& applyCode() const { return applyCode_; }

  private:
    std::string applyCode_;
    bool zeroSignFits_;
    bool otherSignFits_;
    std::string_view effectiveDate_;
};

// Why CheckDetailRecord rejects a record, in the order it checks.
namespace reason {
inline constexpr CodedText kAccountNotNumeric{"ACCOUNT is not numeric", "account_not_numeric"};
inline constexpr CodedText kInvalidAccount{"Invalid Account", "invalid_account"};
inline constexpr CodedText kCheckDigit{"Check digit error", "check_digit"};
inline constexpr CodedText kAccountType{"ACCOUNT not SAV or CUR", "account_type"};
inline constexpr CodedText kAmountNotNumeric{"AMOUNT is not Numeric", "amount_not_numeric"};
inline constexpr CodedText kSign{"Invalid sign amount", "sign"};
inline constexpr CodedText kEffectiveDate{"EFF.DATE NOT EQ CLT R.", "effective_date"};
} // namespace reason
inline constexpr CodedText kRejectReasons[] = {
    reason::kAccountNotNumeric, reason::kInvalidAccount, reason::kCheckDigit,    reason::kAccountType,
    reason::kAmountNotNumeric,  reason::kSign,           reason::kEffectiveDate,
};

// The first reason why a detail record is rejected, or "" when it is accepted.
// Reads detail fields 0-3 and control fields 4 (apply code) and 6 (effective
// date). A sign that is not a number throws ConversionError, tagged "Sign".
std::string_view CheckDetailRecord(const Fields& detailFields, const DetailRules& rules);

// Where and why CheckDetailRecord rejects a record for `reason` (one of
// kRejectReasons): the field that reason reads, cut by `layout`. Worked out
// only for rejected records, so it may take its time.
Location LocateRejection(std::string_view reason, const Fields& detailFields, const DetailRules& rules,
                         FieldLayout layout);

// Whether a record of the usual shape (account ten digits, sign one digit,
// amount `amountLength` digits) passes every check: true only when
// CheckDetailRecord answers "" for it. Decided on the digits read once,
// cheaply; a rejected record or one of another shape answers false and is
// left to CheckDetailRecord for its reason.
bool IsAcceptedPlainRecord(const Fields& detailFields, const DetailRules& rules, std::size_t amountLength);

} // namespace qrv
