// Media file lines for the tests and benchmarks: fixed-width control and
// detail records of either format, built from the fields a test cares about.
#pragma once

#include "runs/format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::test {

using qrv::Format;

// Field texts of a control line; each is padded with spaces to its width or
// cut to it. The defaults make a control record that passes every check.
struct Control {
    std::string filler{};
    std::string termPayment = "M";
    std::string companyCode = "012345";
    std::string companyName = "ACME PAYROLL SERVICES";
    std::string applyCode = "C";
    std::string status = "A";
    std::string effectiveDate = "311206";
    std::string totalRecord = "00000";
    std::string totalAmount{}; // empty: zeros
    std::string mediaType = "D";
    std::string spare{};
};

// Field texts of a detail line, padded and cut like those of Control; the
// defaults make an accepted record under the default control record.
struct Detail {
    std::string account = "1234567896";
    std::string effectiveDate = "311206";
    std::string sign = "1";
    std::string amount{}; // empty: zeros
    std::string spare{};
};

std::string ControlLine(Format format, const Control& control);
std::string DetailLine(Format format, const Detail& detail);

// Digit texts of the format's widths, from whole satang (hundredths).
std::string DetailAmount(Format format, std::int64_t satang);
std::string ControlAmount(Format format, std::int64_t satang);
std::string RecordCount(int count);

// The n-th of many ten-digit accounts with a correct check digit and an
// account type that passes.
std::string ValidAccount(int n);

struct Payment {
    std::string account;
    std::int64_t satang;
};

// A media file of `format` paying `payments`, with matching control totals;
// its effective date is 2026-12-31 unless given, "DDMMYY".
std::string MediaFile(Format format, const std::vector<Payment>& payments, std::string companyCode = "012345",
                      std::string effectiveDate = "311226");

// The lines joined, each followed by `terminator`.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& terminator = "\r\n");

// Thai text as code page 874 bytes: the Thai block maps one to one onto
// 0xA1..0xFB, and the tests need nothing outside it but ASCII.
std::string ToCp874(std::u16string_view text);

} // namespace qrv::test
