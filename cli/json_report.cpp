#include "cli/check_report.h"

#include "core/cp874.h"

#include <nlohmann/json.hpp>

namespace qrv::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string_view IconName(Icon icon) {
    return icon == Icon::Stop ? "stop" : "none";
}

std::string_view AlignmentName(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return "left";
    case Alignment::Center:
        return "center";
    case Alignment::Right:
        break;
    }
    return "right";
}

Json LabelsJson(const HeldWindow& window) {
    Json labels = Json::object();
    for (Label label : kAllLabels) {
        const std::string& text = window.label(label);
        labels[std::string(LabelName(label))] =
            label == Label::Label1 ? EscapeControls(text) : Cp874ToUtf8(text);
    }
    return labels;
}

Json ColumnsJson(const std::vector<HeldColumn>& columns) {
    Json list = Json::array();
    for (const HeldColumn& column : columns)
        list.push_back({{"header", column.header},
                        {"width", column.widthTwips},
                        {"align", AlignmentName(column.alignment)}});
    return list;
}

Json WindowJson(const CheckReport& report) {
    const HeldWindow& window = report.window;
    if (!window.exists())
        return nullptr;
    Json listErr = Json::array();
    for (const std::string& line : window.listErr())
        listErr.push_back(Cp874ToUtf8(line));
    return {{"shown", window.shown()},
            {"PrintSendData", PrintEnabled(report)},
            {"labels", LabelsJson(window)},
            {"ListErr", std::move(listErr)},
            {"columns", ColumnsJson(window.columns())},
            {"ListView1", Json::array()}}; // the rows follow, one at a time, in WriteRows
}

Json MessagesJson(const std::vector<HeldMessage>& messages) {
    Json list = Json::array();
    for (const HeldMessage& message : messages)
        list.push_back({{"text", EscapeControls(message.text)},
                        {"title", message.title},
                        {"icon", IconName(message.icon)}});
    return list;
}

Json ToJson(const CheckReport& report) {
    const RunResult& result = report.result;
    Json error = nullptr;
    if (result.error)
        error = {{"line", result.error->line}, {"message", EscapeControls(result.error->message)}};
    return {{"format", FormatName(report.format)},
            {"outcome", OutcomeName(result.outcome)},
            {"messages", MessagesJson(report.messages)},
            {"window", WindowJson(report)},
            {"summary_file",
             result.summaryPath.empty() ? Json(nullptr) : Json(EscapeControls(result.summaryPath))},
            {"error", std::move(error)}};
}

std::string Dump(const Json& json, JsonLayout layout) {
    return json.dump(layout == JsonLayout::Indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

// ListView1 as dump() would write it, where it stands: in the window, in the report.
void WriteRows(std::ostream& out, const RowSpool& rows, JsonLayout layout) {
    const bool indented = layout == JsonLayout::Indented;
    const std::string_view rowIndent = indented ? "\n      " : "";
    const std::string_view cellIndent = indented ? "\n        " : "";
    out << '[';
    bool first = true;
    rows.forEach([&](const ErrorRow& row) {
        out << (first ? "" : ",") << rowIndent << '[';
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << cellIndent << Dump(Cp874ToUtf8(row[i]), layout);
        out << rowIndent << ']';
        first = false;
    });
    out << (indented && !first ? "\n    " : "") << ']';
}

} // namespace

// The report is dumped whole but for its rows, which are written in place of
// the empty ListView1. Its key cannot occur inside a string, where every
// quotation mark is escaped.
void WriteJsonReport(std::ostream& out, const CheckReport& report, JsonLayout layout) {
    const std::string text = Dump(ToJson(report), layout);
    const std::size_t key = text.find("\"ListView1\":");
    if (key == std::string::npos) {
        out << text << '\n';
        return;
    }
    const std::size_t rows = text.find("[]", key);
    out.write(text.data(), static_cast<std::streamsize>(rows));
    WriteRows(out, report.rows, layout);
    out << std::string_view(text).substr(rows + 2) << '\n';
}

} // namespace qrv::cli
