// What a run appends to ListErr: the control record checks, in the order they
// run, then the comparisons of the control record's totals with the details'.
#pragma once

#include "core/coded_text.h"

namespace qrv::finding {

inline constexpr CodedText kNotControlLine{"Not have a control line.", "control.filler"};
inline constexpr CodedText kTermPayment{"CTL.REC Term Payment ERROR", "control.term_payment"};
inline constexpr CodedText kApplyCode{"CTL.REC APPLY CODE ERROR", "control.apply_code"};
inline constexpr CodedText kCompanyCode{"CLT.REC COMP-CODE is not Numeric", "control.company_code"};
inline constexpr CodedText kTotalRecords{"CLT.REC TOTAL RECORD is not Numeric", "control.total_records"};
inline constexpr CodedText kTotalAmount{"CLT.REC TOTAL AMOUNT is not Numeric", "control.total_amount"};
inline constexpr CodedText kStatus{"CLT.REC STATUS is not equal 'A'", "control.status"};
inline constexpr CodedText kEffectiveDate{"CLT.REC INVALID EFFECTIVE DATE", "control.effective_date"};
inline constexpr CodedText kRecordsMismatch{"CTL.REC total record not equal total record of detail",
                                            "totals.records_mismatch"};
inline constexpr CodedText kAmountMismatch{"CTL.REC total amount not equal total amount of detail",
                                           "totals.amount_mismatch"};

inline constexpr CodedText kAll[] = {
    kNotControlLine, kTermPayment, kApplyCode,     kCompanyCode,     kTotalRecords,
    kTotalAmount,    kStatus,      kEffectiveDate, kRecordsMismatch, kAmountMismatch,
};

} // namespace qrv::finding
