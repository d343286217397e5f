#include "cli/check_output.h"

#include "core/cp874.h"
#include "runs/rejected_record.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace qrv::cli {

namespace {

constexpr std::size_t kCaptionWidth = 24;

void WriteField(std::ostream& out, std::string_view caption, std::string_view text) {
    out << "  " << caption << std::string(kCaptionWidth - std::min(kCaptionWidth, caption.size()), ' ')
        << text << '\n';
}

// Media text as the report shows it: decoded, its control characters escaped.
std::string Shown(std::string_view cp874) {
    return EscapeControls(Cp874ToUtf8(cp874));
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// Media-file bytes are one character each, and an escaped control four, so
// these widths line the columns up.
std::size_t ShownWidth(std::string_view cp874) {
    return cp874.size() + 3 * static_cast<std::size_t>(std::count_if(cp874.begin(), cp874.end(), IsControl));
}

using Widths = std::array<std::size_t, std::tuple_size_v<ErrorRow>>;

Widths ColumnWidths(const CheckOutput& output) {
    Widths widths{};
    const std::vector<HeldColumn>& columns = output.window.columns();
    for (std::size_t i = 0; i < std::min(columns.size(), widths.size()); ++i)
        widths[i] = columns[i].header.size();
    output.rows.forEach([&](const ErrorRow& row) {
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], ShownWidth(row[i]));
    });
    return widths;
}

// One line of the table: `cells` with the shown width of each.
void WriteCells(std::ostream& out, std::span<const std::pair<std::string, std::size_t>> cells,
                const Widths& widths) {
    out << " ";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out << ' ' << cells[i].first;
        if (i + 1 < cells.size())
            out << std::string(widths[i] - cells[i].second, ' ');
    }
    out << '\n';
}

// The indented line under a finding or a rejected record that says where it failed.
void WriteLocation(std::ostream& out, const Location& where) {
    out << "      " << LocationLine(where, Shown(where.found)) << '\n';
}

void WriteRows(std::ostream& out, const CheckOutput& output) {
    out << "Detail Record Error (" << output.rows.size() << ")\n";
    if (output.rows.size() == 0)
        return;
    const Widths widths = ColumnWidths(output);
    std::vector<std::pair<std::string, std::size_t>> cells;
    for (const HeldColumn& column : output.window.columns())
        cells.emplace_back(column.header, column.header.size());
    WriteCells(out, cells, widths);
    const RowLocator locate(FormatTable(output.format), output.result.controlLine.value_or(""));
    output.rows.forEach([&](const ErrorRow& row) {
        cells.clear();
        for (const std::string& cell : row)
            cells.emplace_back(Shown(cell), ShownWidth(cell));
        WriteCells(out, cells, widths);
        WriteLocation(out, locate(row));
    });
}

// After the rejected records: the findings that reading each record alone cannot make.
void WriteAdvisories(std::ostream& out, const std::vector<Advisory>& advisories) {
    out << "Advisories (" << advisories.size() << ")\n";
    for (const Advisory& advisory : advisories)
        out << "  " << CodeName(advisory.code) << ": " << EscapeControls(advisory.message) << '\n';
}

void WriteWindow(std::ostream& out, const CheckOutput& output) {
    const HeldWindow& window = output.window;
    out << "Result window (" << (window.shown() ? "shown" : "not shown") << ", PrintSendData "
        << (LetterAvailable(output.result) ? "enabled" : "disabled") << ")\n";
    out << "Output File\n";
    WriteField(out, "Summary file  :", ShownSummaryPath(window, true));
    WriteField(out, CaptionOf(Label::HashTotal).text, Shown(window.label(Label::HashTotal)));
    out << "Control Record\n";
    for (const LabelCaption& caption : std::span(kLabelCaptions).subspan(1, 9))
        WriteField(out, caption.text, Shown(window.label(caption.value)));
    for (std::size_t i = 0; i < window.listErr().size(); ++i) {
        out << "  ! " << Shown(window.listErr()[i]) << '\n';
        WriteLocation(out, window.listErrPlaces()[i]);
    }
    out << "Detail Summary\n";
    for (const Label label : {Label::DetailCount, Label::DetailAmount})
        WriteField(out, CaptionOf(label).text, Shown(window.label(label)));
    WriteRows(out, output);
    if (output.advisories)
        WriteAdvisories(out, *output.advisories);
}

std::string DigestOrNone(const std::string& sha256) {
    return sha256.empty() ? "none" : sha256;
}

// Only with --journal, so that reports without it stay as they were.
void WriteJournal(std::ostream& out, const CheckOutput& output) {
    if (output.entry) {
        out << "Media file SHA-256: " << DigestOrNone(output.entry->mediaSha256) << '\n';
        out << "Summary file SHA-256: " << DigestOrNone(output.entry->summarySha256) << '\n';
    }
    const JournalRecord& journal = *output.journal;
    if (journal.runId)
        out << "Journal: run " << *journal.runId << " in " << EscapeControls(journal.path) << '\n';
    else
        out << "Journal: not written\n";
}

} // namespace

void WriteTextOutput(std::ostream& out, const CheckOutput& output) {
    const RunResult& result = output.result;
    out << "Format " << FormatName(output.format) << ": " << OutcomeName(result.outcome) << '\n';
    if (output.window.exists())
        WriteWindow(out, output);
    else
        out << "Result window: closed\n";
    out << "Summary file written: "
        << (result.summaryPath.empty() ? "none" : EscapeControls(result.summaryPath)) << '\n';
    if (!result.summaryMovedBecause.empty())
        out << "Summary file moved: " << EscapeControls(result.summaryMovedBecause) << '\n';
    if (output.foreignText)
        out << "Not code page 874: " << ForeignTextHint(*output.foreignText) << '\n';
    for (const HeldMessage& message : output.messages)
        out << "Message [" << message.title << (message.icon == Icon::Stop ? ", stop" : "")
            << "]: " << EscapeControls(message.text) << '\n';
    if (output.journal)
        WriteJournal(out, output);
}

} // namespace qrv::cli
