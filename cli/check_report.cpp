#include "cli/check_report.h"

#include "core/cp874.h"
#include "runs/rejected_rows.h"

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

// Overlong forms, surrogates and code points past U+10FFFF fail too.
bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || at + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if (!IsContinuation(static_cast<unsigned char>(text[at + k])))
                return false;
        const auto second = static_cast<unsigned char>(length > 1 ? text[at + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        at += length;
    }
    return true;
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

std::string EscapeControls(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        auto c = static_cast<unsigned char>(utf8[at]);
        const bool c1 = c == 0xC2 && at + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[at + 1]) <= 0x9F &&
                        static_cast<unsigned char>(utf8[at + 1]) >= 0x80;
        if (c1)
            c = static_cast<unsigned char>(utf8[++at]);
        if (c < 0x20 || c == 0x7F || c1)
            text += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        else
            text += static_cast<char>(c);
    }
    return text;
}

void WriteCsvRows(std::ostream& out, const CheckReport& report) {
    const std::string mediaFile = PathText(report.mediaPath);
    report.rows.forEach(
        [&](const ErrorRow& row) { out << RejectedCsvLine(mediaFile, ReadRejectedRow(row)); });
}

std::string PathText(std::string_view path) {
    return IsValidUtf8(path) ? std::string(path) : Cp874ToUtf8(path);
}

} // namespace qrv::cli
