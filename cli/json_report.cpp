#include "cli/check_report.h"

#include "core/cp874.h"
#include "core/dates.h"
#include "core/display.h"
#include "runs/findings.h"
#include "runs/rejected_rows.h"

#include <charconv>
#include <nlohmann/json.hpp>

namespace qrv::cli {

namespace {

using Json = nlohmann::ordered_json;

// Raised when a key changes meaning or goes; new keys keep it.
constexpr int kSchemaVersion = 2;

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
            {"ListView1", Json::array()}};
}

Json MessagesJson(const std::vector<HeldMessage>& messages) {
    Json list = Json::array();
    for (const HeldMessage& message : messages)
        list.push_back({{"text", message.text}, {"title", message.title}, {"icon", IconName(message.icon)}});
    return list;
}

// A field the line ends before is empty: absent, so null.
Json TextOrNull(std::string_view cp874) {
    return cp874.empty() ? Json(nullptr) : Json(Cp874ToUtf8(cp874));
}

Json IsoDateOrNull(std::string_view field) {
    const std::optional<std::string> iso = IsoDate(field);
    return iso ? Json(*iso) : Json(nullptr);
}

// What `convert` gives, or null for a text that does not convert.
template <class F> Json ConvertedOrNull(F&& convert) {
    try {
        return convert();
    } catch (const ConversionError&) {
        return nullptr;
    }
}

// An implied-decimal amount as an exact decimal text, as the run adds it up.
Json AmountOrNull(std::string_view field, std::size_t wholeLength) {
    return ConvertedOrNull([&] { return Json(DecimalText(AmountCents(field, wholeLength))); });
}

Json ControlJson(const CheckReport& report) {
    const RunResult& result = report.result;
    if (!result.controlLine || result.outcome == RunOutcome::WrongFormat)
        return nullptr;
    const RunFormat& format = FormatTable(report.format);
    const Fields fields = SplitRecord(*result.controlLine, format.controlLayout);
    const std::string_view records = fields[control::TotalRecord];
    const std::string_view amount = fields[control::TotalAmount];
    return {{"term_payment", TextOrNull(fields[control::TermPayment])},
            {"company_code", TextOrNull(fields[control::CompanyCode])},
            {"company_name", TextOrNull(fields[control::CompanyName])},
            {"apply_code", TextOrNull(fields[control::ApplyCode])},
            {"status", TextOrNull(fields[control::Status])},
            {"effective_date", IsoDateOrNull(fields[control::EffectiveDate])},
            {"effective_date_raw", TextOrNull(fields[control::EffectiveDate])},
            {"total_records", ConvertedOrNull([&] { return Json(ToInt32(records)); })},
            {"total_records_raw", TextOrNull(records)},
            {"total_amount", AmountOrNull(amount, format.controlWholeLength)},
            {"total_amount_raw", TextOrNull(amount)},
            {"media_type", TextOrNull(fields[control::MediaType])}};
}

// A whole number the run wrote into a label.
std::int64_t LabelNumber(std::string_view text) {
    std::int64_t number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// Null until the run has added up the details at the end of the file.
Json DetailJson(const CheckReport& report) {
    const HeldWindow& window = report.window;
    if (!window.exists() || window.label(Label::Label24).empty())
        return nullptr;
    const std::int64_t records = LabelNumber(window.label(Label::Label24));
    std::string amount = window.label(Label::Label26);
    std::erase(amount, ',');
    return {{"records", records},
            {"accepted", records - report.rows.size()},
            {"rejected", report.rows.size()},
            {"accepted_amount", std::move(amount)},
            {"hash_total", LabelNumber(window.label(Label::HashValue))}};
}

Json CodeOrNull(std::string_view code) {
    return code.empty() ? Json(nullptr) : Json(code);
}

Json FindingsJson(const HeldWindow& window) {
    Json list = Json::array();
    for (const std::string& line : window.listErr())
        list.push_back({{"code", CodeOrNull(CodeOf(finding::kAll, line))}, {"text", Cp874ToUtf8(line)}});
    return list;
}

Json SummaryJson(const CheckReport& report) {
    const std::string& path = report.window.label(Label::Label1);
    return {{"path", path.empty() ? Json(nullptr) : Json(PathText(path))},
            {"written", !report.result.summaryPath.empty()}};
}

Json RejectedJson(const RejectedRecord& record, std::size_t amountWholeLength) {
    return {
        {"line", record.line},
        {"account", TextOrNull(record.account)},
        {"effective_date", IsoDateOrNull(record.effectiveDate)},
        {"effective_date_raw", TextOrNull(record.effectiveDate)},
        {"sign", TextOrNull(record.sign)},
        {"amount", record.amount.empty() ? Json(nullptr) : AmountOrNull(record.amount, amountWholeLength)},
        {"amount_raw", TextOrNull(record.amount)},
        {"reason", Cp874ToUtf8(record.reason)},
        {"reason_code", CodeOrNull(record.reasonCode)}};
}

// The arrays of rows stay empty here: WriteJsonReport streams them in.
Json ToJson(const CheckReport& report) {
    const RunResult& result = report.result;
    Json error = nullptr;
    if (result.error)
        error = {{"line", result.error->line}, {"message", result.error->message}};
    return {{"schema_version", kSchemaVersion},
            {"media_file", PathText(report.mediaPath)},
            {"format", FormatName(report.format)},
            {"outcome", OutcomeName(result.outcome)},
            {"messages", MessagesJson(report.messages)},
            {"window", WindowJson(report)},
            {"summary_file", result.summaryPath.empty() ? Json(nullptr) : Json(PathText(result.summaryPath))},
            {"error", std::move(error)},
            {"control", ControlJson(report)},
            {"detail", DetailJson(report)},
            {"findings", FindingsJson(report.window)},
            {"rejected", Json::array()},
            {"summary", SummaryJson(report)},
            {"letter_available", PrintEnabled(report)}};
}

std::string Dump(const Json& json, JsonLayout layout) {
    return json.dump(layout == JsonLayout::Indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

// An array written one element at a time as dump() would write it, for the
// value of a key indented `depth` steps.
class ArrayWriter {
  public:
    ArrayWriter(std::ostream& out, JsonLayout layout, int depth)
        : out_(out), layout_(layout), elementIndent_(layout == JsonLayout::Indented ? 2 * (depth + 1) : 0),
          closingIndent_(layout == JsonLayout::Indented ? 2 * depth : 0) {
        out_ << '[';
    }

    void add(const Json& element) {
        std::string text = Dump(element, layout_);
        if (layout_ == JsonLayout::Indented) {
            // Inside strings a line end is escaped, so each one here is dump()'s own.
            const std::string lineEnd = '\n' + std::string(elementIndent_, ' ');
            for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
                text.replace(at, 1, lineEnd);
            out_ << (empty_ ? "" : ",") << lineEnd << text;
        } else {
            out_ << (empty_ ? "" : ",") << text;
        }
        empty_ = false;
    }

    void close() {
        if (layout_ == JsonLayout::Indented && !empty_)
            out_ << '\n' << std::string(closingIndent_, ' ');
        out_ << ']';
    }

  private:
    std::ostream& out_;
    JsonLayout layout_;
    std::size_t elementIndent_;
    std::size_t closingIndent_;
    bool empty_ = true;
};

} // namespace

// The report is dumped whole but for its rows, which are written in place of
// the empty arrays of ListView1 and rejected, in that order: no other key
// of those names holds an empty array, and none can occur inside a string,
// where every quotation mark is escaped.
void WriteJsonReport(std::ostream& out, const CheckReport& report, JsonLayout layout) {
    const std::string text = Dump(ToJson(report), layout);
    std::size_t from = 0;
    const std::string_view separator = layout == JsonLayout::Indented ? ": " : ":";
    const auto streamRows = [&](std::string_view key, int depth, const auto& toJson) {
        const std::string emptyRows = "\"" + std::string(key) + "\"" + std::string(separator) + "[]";
        const std::size_t at = text.find(emptyRows, from);
        if (at == std::string::npos)
            return;
        const std::size_t emptyArray = at + emptyRows.size() - 2;
        out.write(text.data() + from, static_cast<std::streamsize>(emptyArray - from));
        ArrayWriter array(out, layout, depth);
        report.rows.forEach([&](const ErrorRow& row) { array.add(toJson(row)); });
        array.close();
        from = emptyArray + 2;
    };
    streamRows("ListView1", 2, [](const ErrorRow& row) {
        Json cells = Json::array();
        for (const std::string& cell : row)
            cells.push_back(Cp874ToUtf8(cell));
        return cells;
    });
    const std::size_t amountWholeLength = FormatTable(report.format).detailWholeLength;
    streamRows("rejected", 1,
               [&](const ErrorRow& row) { return RejectedJson(ReadRejectedRow(row), amountWholeLength); });
    out << std::string_view(text).substr(from) << '\n';
}

} // namespace qrv::cli
