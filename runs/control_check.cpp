#include "runs/control_check.h"

#include "core/dates.h"
#include "core/numeric.h"
#include "core/text.h"
#include "runs/findings.h"

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
    const auto check = [&](bool fails, const CodedText& finding) {
        if (fails) {
            window.appendListErr(finding.text);
            failed = true;
        }
    };
    check(!Trim(control[control::Filler]).empty(), finding::kNotControlLine);
    check(!IsOneOf(Trim(UpperCase(control[control::TermPayment])), kTermPayments), finding::kTermPayment);
    check(!IsOneOf(Trim(UpperCase(control[control::ApplyCode])), applyCodes), finding::kApplyCode);
    check(!IsNumericText(control[control::CompanyCode]), finding::kCompanyCode);
    check(!IsNumericText(control[control::TotalRecord]), finding::kTotalRecords);
    check(!IsNumericText(control[control::TotalAmount]), finding::kTotalAmount);
    check(UpperCase(control[control::Status]) != "A", finding::kStatus);
    const bool validDate =
        InField("EffectiveDate", [&] { return CheckDate(control[control::EffectiveDate]); });
    check(!validDate, finding::kEffectiveDate);
    return failed;
}

} // namespace qrv
