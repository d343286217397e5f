// The earlier media file of the same company that the clerk compares with.
#pragma once

#include "advisories/accounts.h"
#include "runs/format.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

// Why an earlier file cannot be compared with: "the earlier file is company
// 045678, not 012345". English, UTF-8.
class EarlierFileRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every detail record of the media file at `path`, by account, sorted. Throws
// EarlierFileRefused when it cannot be read, is not a media file of `format`,
// or is of a company other than `companyCode` (the control record's field as
// it stands, code page 874).
AccountRecords ReadEarlierFile(Format format, const std::string& path, std::string_view companyCode);

} // namespace qrv
