#include "runs/rejected_record.h"

#include "core/cp874.h"
#include "core/detail_check.h"
#include "core/display.h"

#include <charconv>
#include <initializer_list>
#include <utility>

namespace qrv {

namespace {

enum Cell : std::size_t { kNumber, kAccount, kEffectiveDate, kSign, kAmount, kReason };

// A field is quoted when it holds a separator, a quotation mark or a line end.
void AppendCsvField(std::string& line, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

template <class Fields> std::string JoinedCsvLine(const Fields& fields) {
    std::string line;
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            line += ',';
        AppendCsvField(line, field);
        first = false;
    }
    return line + "\r\n";
}

} // namespace

std::string CsvLine(std::initializer_list<std::string_view> fields) {
    return JoinedCsvLine(fields);
}

std::string CsvLine(std::span<const std::string> fields) {
    return JoinedCsvLine(fields);
}

RejectedRecord ReadRejectedRow(const ErrorRow& row) {
    RejectedRecord record;
    const std::string& number = row[kNumber];
    std::from_chars(number.data(), number.data() + number.size(), record.line);
    ++record.line; // NO. counts the detail records, which follow the control record
    record.account = row[kAccount];
    record.effectiveDate = DateField(row[kEffectiveDate]);
    record.sign = row[kSign];
    record.amount = row[kAmount];
    record.reason = row[kReason];
    record.reasonCode = CodeOf(kRejectReasons, row[kReason]);
    return record;
}

RowLocator::RowLocator(const RunFormat& format, std::string controlLine)
    : layout_(format.detailLayout), controlLine_(std::move(controlLine)),
      rules_(SplitRecord(controlLine_, format.controlLayout)) {}

Location RowLocator::operator()(const ErrorRow& row) const {
    // The fields lie side by side from column 1, and a row holds each as cut,
    // so that joined they are the line up to the Spare field.
    const RejectedRecord record = ReadRejectedRow(row);
    const std::string line = std::string(record.account) + record.effectiveDate + std::string(record.sign) +
                             std::string(record.amount);
    return LocateRejection(record.reason, SplitRecord(line, layout_), rules_, layout_);
}

std::string RejectedCsvHeader() {
    std::string header;
    for (const std::string_view column : kRejectedCsvColumns)
        header.append(header.empty() ? "" : ",").append(column);
    return header + "\r\n";
}

std::string RejectedCsvLine(std::string_view mediaFile, const RejectedRecord& record, const Location& where) {
    return CsvLine({mediaFile, std::to_string(record.line), Cp874ToUtf8(record.account),
                    Cp874ToUtf8(record.effectiveDate), Cp874ToUtf8(record.sign), Cp874ToUtf8(record.amount),
                    record.reasonCode, where.field, where.first == 0 ? "" : ColumnRange(where),
                    Cp874ToUtf8(where.found), where.expected, where.hint});
}

} // namespace qrv
