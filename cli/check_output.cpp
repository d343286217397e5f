#include "cli/check_output.h"

#include "core/cp874.h"
#include "core/text.h"
#include "runs/rejected_record.h"
#include "summary/summary_file.h"

#include <algorithm>

namespace qrv::cli {

int ExitStatus(const RunResult& result) {
    switch (result.outcome) {
    case RunOutcome::Finished:
        return result.findings ? 1 : 0;
    case RunOutcome::ControlRejected:
        return 1;
    case RunOutcome::WrongFormat:
    case RunOutcome::RunError:
        break;
    }
    return 2;
}

int ExitStatus(const CheckOutput& output, bool strict) {
    const int status = ExitStatus(output.result);
    const bool advised = output.advisories && !output.advisories->empty();
    return status == 0 && strict && advised ? 1 : status;
}

std::string EscapeControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        auto c = static_cast<unsigned char>(text[at]);
        const bool c1 = length == 2 && c == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0x9F;
        if (c1)
            c = static_cast<unsigned char>(text[at + 1]);
        if (length == 0 || c1 || c < 0x20 || c == 0x7F)
            shown += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        else
            shown.append(text, at, length);
        at += std::max<std::size_t>(length, 1);
    }
    return shown;
}

std::string ShownSummaryPath(const HeldWindow& window, bool escapeCode) {
    const SummaryPathParts parts =
        SplitSummaryPath(window.label(Label::SummaryPath), window.label(Label::CompanyCode));
    const std::string code = Cp874ToUtf8(parts.companyCode);
    return EscapeControls(parts.folder) + (escapeCode ? EscapeControls(code) : code);
}

void WriteCsvRows(std::ostream& out, const CheckOutput& output) {
    const std::string mediaFile = EscapeControls(output.mediaPath);
    const RowLocator locate(FormatTable(output.format), output.result.controlLine.value_or(""));
    output.rows.forEach(
        [&](const ErrorRow& row) { out << RejectedCsvLine(mediaFile, ReadRejectedRow(row), locate(row)); });
}

} // namespace qrv::cli
