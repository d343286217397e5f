#include "cli/check_report.h"

#include "core/cp874.h"

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
        labels[std::string(LabelName(label))] = label == Label::Label1 ? PathText(text) : Cp874ToUtf8(text);
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

Json RowsJson(const std::vector<ErrorRow>& rows) {
    Json list = Json::array();
    for (const ErrorRow& row : rows) {
        Json cells = Json::array();
        for (const std::string& cell : row)
            cells.push_back(Cp874ToUtf8(cell));
        list.push_back(std::move(cells));
    }
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
            {"ListView1", RowsJson(report.rows)}};
}

Json MessagesJson(const std::vector<HeldMessage>& messages) {
    Json list = Json::array();
    for (const HeldMessage& message : messages)
        list.push_back({{"text", message.text}, {"title", message.title}, {"icon", IconName(message.icon)}});
    return list;
}

} // namespace

nlohmann::ordered_json ToJson(const CheckReport& report) {
    const RunResult& result = report.result;
    Json error = nullptr;
    if (result.error)
        error = {{"line", result.error->line}, {"message", result.error->message}};
    return {{"format", FormatName(report.format)},
            {"outcome", OutcomeName(result.outcome)},
            {"messages", MessagesJson(report.messages)},
            {"window", WindowJson(report)},
            {"summary_file", result.summaryPath.empty() ? Json(nullptr) : Json(PathText(result.summaryPath))},
            {"error", std::move(error)}};
}

} // namespace qrv::cli
