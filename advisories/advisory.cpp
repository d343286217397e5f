#include "advisories/advisory.h"

namespace qrv {

std::string_view CodeName(AdvisoryCode code) {
    switch (code) {
    case AdvisoryCode::DuplicateAccount:
        return "duplicate_account";
    case AdvisoryCode::NewAccount:
        return "new_account";
    case AdvisoryCode::MissingAccount:
        return "missing_account";
    case AdvisoryCode::AmountChanged:
        return "amount_changed";
    case AdvisoryCode::TotalsChanged:
        return "totals_changed";
    case AdvisoryCode::DatePast:
        return "date_past";
    case AdvisoryCode::DateWeekend:
        return "date_weekend";
    case AdvisoryCode::DateHoliday:
        return "date_holiday";
    case AdvisoryCode::DateSoon:
        return "date_soon";
    case AdvisoryCode::AlreadyChecked:
        return "already_checked";
    case AdvisoryCode::SameCompanyDate:
        return "same_company_date";
    }
    return {};
}

} // namespace qrv
