#include "cli/check_report.h"

#include "core/cp874.h"

#include <algorithm>

namespace qrv::cli {

namespace {

struct Caption {
    std::string_view text;
    Label label;
};

// The result window's own captions, in the order the window shows them.
constexpr Caption kControlCaptions[] = {
    {"Term Payment  :", Label::Term_p},
    {"Company Code  :", Label::Com_code},
    {"Company Name  :", Label::Com_name},
    {"Apply Code  :", Label::App_code},
    {"Status  :", Label::status},
    {"Effective Date  :", Label::Eff_date},
    {"Media Type  :", Label::Media},
    {"Total Record  :", Label::Total_record},
    {"Total Amount  :", Label::Total_amount},
};
constexpr std::size_t kCaptionWidth = 24;

void WriteField(std::ostream& out, std::string_view caption, std::string_view text) {
    out << "  " << caption << std::string(kCaptionWidth - std::min(kCaptionWidth, caption.size()), ' ')
        << text << '\n';
}

// Media-file bytes are one character each, so byte counts line the columns up.
std::vector<std::size_t> ColumnWidths(const CheckReport& report) {
    std::vector<std::size_t> widths;
    for (const HeldColumn& column : report.window.columns())
        widths.push_back(column.header.size());
    widths.resize(std::tuple_size_v<ErrorRow>, 0);
    for (const ErrorRow& row : report.rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    return widths;
}

void WriteCells(std::ostream& out, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths, const std::vector<std::size_t>& lengths) {
    out << " ";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out << ' ' << cells[i];
        if (i + 1 < cells.size())
            out << std::string(widths[i] - lengths[i], ' ');
    }
    out << '\n';
}

void WriteRows(std::ostream& out, const CheckReport& report) {
    out << "Detail Record Error (" << report.rows.size() << ")\n";
    if (report.rows.empty())
        return;
    const std::vector<std::size_t> widths = ColumnWidths(report);
    std::vector<std::string> cells;
    std::vector<std::size_t> lengths;
    for (const HeldColumn& column : report.window.columns()) {
        cells.push_back(column.header);
        lengths.push_back(column.header.size());
    }
    WriteCells(out, cells, widths, lengths);
    for (const ErrorRow& row : report.rows) {
        cells.clear();
        lengths.clear();
        for (const std::string& cell : row) {
            cells.push_back(Cp874ToUtf8(cell));
            lengths.push_back(cell.size());
        }
        WriteCells(out, cells, widths, lengths);
    }
}

void WriteWindow(std::ostream& out, const CheckReport& report) {
    const HeldWindow& window = report.window;
    out << "Result window (" << (window.shown() ? "shown" : "not shown") << ", PrintSendData "
        << (PrintEnabled(report) ? "enabled" : "disabled") << ")\n";
    out << "Output File\n";
    WriteField(out, "Summary file  :", PathText(window.label(Label::Label1)));
    WriteField(out, "Hash Total  :", window.label(Label::HashValue));
    out << "Control Record\n";
    for (const Caption& caption : kControlCaptions)
        WriteField(out, caption.text, Cp874ToUtf8(window.label(caption.label)));
    for (const std::string& line : window.listErr())
        out << "  ! " << Cp874ToUtf8(line) << '\n';
    out << "Detail Summary\n";
    WriteField(out, "Detail Total Record  :", window.label(Label::Label24));
    WriteField(out, "Detail Total Amount  :", window.label(Label::Label26));
    WriteRows(out, report);
}

} // namespace

void WriteTextReport(std::ostream& out, const CheckReport& report) {
    const RunResult& result = report.result;
    out << "Format " << FormatName(report.format) << ": " << OutcomeName(result.outcome) << '\n';
    if (report.window.exists())
        WriteWindow(out, report);
    else
        out << "Result window: closed\n";
    out << "Summary file written: " << (result.summaryPath.empty() ? "none" : PathText(result.summaryPath))
        << '\n';
    for (const HeldMessage& message : report.messages)
        out << "Message [" << message.title << (message.icon == Icon::Stop ? ", stop" : "")
            << "]: " << message.text << '\n';
}

} // namespace qrv::cli
