#include "runs/control_check.h"

#include "core/dates.h"
#include "core/numeric.h"
#include "core/text.h"

#include <algorithm>
#include <string>

namespace qrv {

namespace {

bool IsOneOf(std::string_view text, std::span<const std::string_view> choices) {
    return std::ranges::find(choices, text) != choices.end();
}

} // namespace

bool CheckControlRecord(const Fields& control, std::span<const std::string_view> applyCodes,
                        ResultWindow& window) {
    static constexpr std::string_view kTermPayments[] = {"M", "H", "W"};
    bool failed = false;
    const auto check = [&](bool fails, std::string_view message) {
        if (fails) {
            window.appendListErr(message);
            failed = true;
        }
    };
    check(!Trim(control[control::Filler]).empty(), "Not have a control line.");
    check(!IsOneOf(Trim(UpperCase(control[control::TermPayment])), kTermPayments),
          "CTL.REC Term Payment ERROR");
    check(!IsOneOf(Trim(UpperCase(control[control::ApplyCode])), applyCodes), "CTL.REC APPLY CODE ERROR");
    check(!IsNumericText(control[control::CompanyCode]), "CLT.REC COMP-CODE is not Numeric");
    check(!IsNumericText(control[control::TotalRecord]), "CLT.REC TOTAL RECORD is not Numeric");
    check(!IsNumericText(control[control::TotalAmount]), "CLT.REC TOTAL AMOUNT is not Numeric");
    check(UpperCase(control[control::Status]) != "A", "CLT.REC STATUS is not equal 'A'");
    const bool validDate =
        InField("EffectiveDate", [&] { return CheckDate(control[control::EffectiveDate]); });
    check(!validDate, "CLT.REC INVALID EFFECTIVE DATE");
    return failed;
}

} // namespace qrv
