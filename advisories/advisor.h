// The advisories of one check run: it watches the run's records as they are
// read and, once the run has read its whole file, says what it saw.
#pragma once

#include "advisories/accounts.h"
#include "advisories/advisory.h"
#include "runs/format.h"
#include "runs/record_observer.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

struct AdvisorySettings {
    // amount_changed: the change is more than this percentage of the earlier
    // amount and at least `minimumChange` hundredths. The amounts are the sums
    // of the account's records in each file; an account on more than one
    // record of this file is left to duplicate_account.
    double thresholdPercent = 20;
    std::int64_t minimumChange = 100000; // 1,000.00
    // date_soon: fewer banking days than this after today up to the effective date; 0 is off.
    int leadDays = 2;
    std::string holidayPath; // empty: no holiday list
    std::string earlierPath; // empty: no comparison
    // The day the check is made; the caller gives the local clock's date.
    std::chrono::year_month_day today{};
};

struct AdvisoryReport {
    // By code (in AdvisoryCode's order), then by line, then by account.
    std::vector<Advisory> advisories;
    // What kept an advisory from being made, in English: an earlier file
    // refused, a bad line of the holiday list, a file that cannot be read.
    std::vector<std::string> problems;
};

// At most this many advisories of one code name accounts; one more says how
// many others there are.
inline constexpr std::size_t kMaxAccountAdvisories = 1000;

class Advisor final : public RecordObserver {
  public:
    Advisor(Format format, AdvisorySettings settings);

    void controlRecord(const Fields& control) override;
    void detailRecord(const DetailRecordSeen& record) override;
    void endOfFile() override;

    // Empty unless the run read its whole file. Reads the earlier file and
    // the holiday list; call once.
    AdvisoryReport report();

  private:
    template <class F> void holdOrLetGo(F&& hold);
    // Duplicates, and the comparison with the earlier file.
    void compareAccounts(AdvisoryReport& report);

    Format format_;
    AdvisorySettings settings_;
    std::string companyCode_;
    std::string effectiveDate_;
    AccountNumbers numbers_; // this file's and the earlier file's
    AccountRecords records_;
    bool tooMany_ = false;
    // The records did not fit in memory: they were let go, so that the check
    // itself, which needs far less, still finishes.
    bool outOfMemory_ = false;
    bool wholeFile_ = false;
};

} // namespace qrv
