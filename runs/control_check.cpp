#include "runs/control_check.h"

#include "core/dates.h"
#include "core/numeric.h"
#include "core/text.h"
#include "runs/findings.h"

#include <algorithm>
#include <string>
#include <utility>

namespace qrv {

namespace {

bool IsOneOf(std::string_view text, std::span<const std::string_view> choices) {
    return std::ranges::find(choices, text) != choices.end();
}

std::string OneOf(std::span<const std::string_view> choices) {
    std::string text = "one of";
    for (const std::string_view choice : choices)
        text.append(" ").append(choice);
    return text;
}

} // namespace

Location LocateControlField(const Fields& control, FieldLayout layout, std::size_t field,
                            std::string expected) {
    Location where = LocateField(control, layout, kControlFieldNames, field);
    where.expected = std::move(expected);
    where.hint = MustHoldHint(where, "the control record (line 1)");
    return where;
}

bool CheckControlRecord(const Fields& control, FieldLayout layout,
                        std::span<const std::string_view> applyCodes, ResultWindow& window) {
    static constexpr std::string_view kTermPayments[] = {"M", "H", "W"};
    bool failed = false;
    const auto check = [&](bool fails, const CodedText& finding, std::size_t field, auto expected) {
        if (fails) {
            window.appendListErr(finding.text, LocateControlField(control, layout, field, expected()));
            failed = true;
        }
    };
    const auto says = [](const char* text) {
        return [text] {
            return std::string(text);
        };
    };
    check(!Trim(control[control::Filler]).empty(), finding::kNotControlLine, control::Filler, says("blanks"));
    check(!IsOneOf(Trim(UpperCase(control[control::TermPayment])), kTermPayments), finding::kTermPayment,
          control::TermPayment, says("M, H or W"));
    check(!IsOneOf(Trim(UpperCase(control[control::ApplyCode])), applyCodes), finding::kApplyCode,
          control::ApplyCode, [&] { return "an apply code, " + OneOf(applyCodes); });
    check(!IsNumericText(control[control::CompanyCode]), finding::kCompanyCode, control::CompanyCode,
          says("a number"));
    check(!IsNumericText(control[control::TotalRecord]), finding::kTotalRecords, control::TotalRecord,
          says("a number"));
    check(!IsNumericText(control[control::TotalAmount]), finding::kTotalAmount, control::TotalAmount,
          says("a number"));
    check(UpperCase(control[control::Status]) != "A", finding::kStatus, control::Status, says("A"));
    const bool validDate =
        InField("EffectiveDate", [&] { return CheckDate(control[control::EffectiveDate]); });
    check(!validDate, finding::kEffectiveDate, control::EffectiveDate,
          [] { return "a date DDMMYY of 2000" + std::string(kEnDash) + "2099"; });
    return failed;
}

} // namespace qrv
