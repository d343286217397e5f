#include "cli/check_report.h"

#include "runs/rejected_rows.h"

#include <algorithm>

namespace qrv::cli {

namespace {

// Length of the UTF-8 sequence that starts with `lead`; 0 when it starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence at `at`; 0 when the byte there starts
// none. Overlong forms, surrogates and code points past U+10FFFF start none.
std::size_t SequenceAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if (!IsContinuation(static_cast<unsigned char>(text[at + k])))
            return 0;
    const auto second = static_cast<unsigned char>(length > 1 ? text[at + 1] : 0);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

std::string_view OutcomeName(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Finished:
        return "finished";
    case RunOutcome::WrongFormat:
        return "wrong_format";
    case RunOutcome::ControlRejected:
        return "control_rejected";
    case RunOutcome::RunError:
        break;
    }
    return "run_error";
}

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

bool PrintEnabled(const CheckReport& report) {
    return report.window.printEnabled() && report.result.outcome == RunOutcome::Finished;
}

std::string EscapeControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceAt(text, at);
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

void WriteCsvRows(std::ostream& out, const CheckReport& report) {
    const std::string mediaFile = EscapeControls(report.mediaPath);
    report.rows.forEach(
        [&](const ErrorRow& row) { out << RejectedCsvLine(mediaFile, ReadRejectedRow(row)); });
}

} // namespace qrv::cli
