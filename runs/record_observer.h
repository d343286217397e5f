// What a check run tells whoever looks at the records beside it, so that
// nothing needs to read the media file a second time. Nothing it is told
// can change the run.
#pragma once

#include "core/fields.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace qrv {

// One detail record as the run met it. The views last until the run reads
// the next line.
struct DetailRecordSeen {
    std::int64_t line;                 // media file line, counted from 1 (the control record is 1)
    std::string_view account;          // the AccountNo field as cut
    std::string_view amount;           // the Amount field as cut
    std::optional<std::int64_t> cents; // Amount in hundredths, as the run added it: accepted records only
    bool accepted;
};

class RecordObserver {
  public:
    virtual ~RecordObserver() = default;
    // The control record, once its checks passed. The fields last until the run returns.
    virtual void controlRecord(const Fields& control) = 0;
    virtual void detailRecord(const DetailRecordSeen& record) = 0;
    // The run read every line and wrote its summary file: what it was told is the whole file.
    virtual void endOfFile() = 0;
};

} // namespace qrv
