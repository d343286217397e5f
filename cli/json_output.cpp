#include "cli/check_output.h"

#include "core/cp874.h"
#include "core/dates.h"
#include "core/display.h"
#include "runs/findings.h"
#include "runs/rejected_record.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace qrv::cli {

namespace {

using Json = nlohmann::ordered_json;

// Raised when a key changes meaning or goes, and when objects gain keys
// that every one of them holds.
constexpr int kSchemaVersion = 4;

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
            label == Label::SummaryPath ? ShownSummaryPath(window, false) : Cp874ToUtf8(text);
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

Json WindowJson(const CheckOutput& output) {
    const HeldWindow& window = output.window;
    if (!window.exists())
        return nullptr;
    Json listErr = Json::array();
    for (const std::string& line : window.listErr())
        listErr.push_back(Cp874ToUtf8(line));
    return {{"shown", window.shown()},
            {"PrintSendData", LetterAvailable(output.result)},
            {"labels", LabelsJson(window)},
            {"ListErr", std::move(listErr)},
            {"columns", ColumnsJson(window.columns())},
            {"ListView1", Json::array()}};
}

Json MessagesJson(const std::vector<HeldMessage>& messages) {
    Json list = Json::array();
    for (const HeldMessage& message : messages)
        list.push_back({{"text", EscapeControls(message.text)},
                        {"title", message.title},
                        {"icon", IconName(message.icon)}});
    return list;
}

// The values of the sections with meaning, absent ones as nothing: a field
// the line ends before is empty.
std::optional<std::string> FieldText(std::string_view cp874) {
    if (cp874.empty())
        return std::nullopt;
    return Cp874ToUtf8(cp874);
}

// An implied-decimal amount as an exact decimal text, as the run adds it up.
std::optional<std::string> AmountText(std::string_view field, std::size_t wholeLength) {
    if (!IsNumericText(ImpliedDecimalText(field, wholeLength)))
        return std::nullopt; // tested first: a run of a million such records would throw a million times
    try {
        return DecimalText(AmountCents(field, wholeLength));
    } catch (const ConversionError&) { // out of range
        return std::nullopt;
    }
}

Json OrNull(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

Json ControlJson(const CheckOutput& output) {
    const RunResult& result = output.result;
    if (!result.controlLine || result.outcome == RunOutcome::WrongFormat)
        return nullptr;
    const RunFormat& format = FormatTable(output.format);
    const Fields fields = SplitRecord(*result.controlLine, format.controlLayout);
    const std::string_view records = fields[control::TotalRecord];
    const std::string_view amount = fields[control::TotalAmount];
    Json totalRecords = nullptr;
    try {
        totalRecords = ToInt32(records);
    } catch (const ConversionError&) { // not a number, or out of range: null
    }
    return {{"term_payment", OrNull(FieldText(fields[control::TermPayment]))},
            {"company_code", OrNull(FieldText(fields[control::CompanyCode]))},
            {"company_name", OrNull(FieldText(fields[control::CompanyName]))},
            {"apply_code", OrNull(FieldText(fields[control::ApplyCode]))},
            {"status", OrNull(FieldText(fields[control::Status]))},
            {"effective_date", OrNull(IsoDate(fields[control::EffectiveDate]))},
            {"effective_date_raw", OrNull(FieldText(fields[control::EffectiveDate]))},
            {"total_records", std::move(totalRecords)},
            {"total_records_raw", OrNull(FieldText(records))},
            {"total_amount", OrNull(AmountText(amount, format.controlWholeLength))},
            {"total_amount_raw", OrNull(FieldText(amount))},
            {"media_type", OrNull(FieldText(fields[control::MediaType]))}};
}

// A whole number the run wrote into a label.
std::int64_t LabelNumber(std::string_view text) {
    std::int64_t number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// Null until the run has added up the details at the end of the file.
Json DetailJson(const CheckOutput& output) {
    const HeldWindow& window = output.window;
    if (!window.exists() || window.label(Label::DetailCount).empty())
        return nullptr;
    const std::int64_t records = LabelNumber(window.label(Label::DetailCount));
    std::string amount = window.label(Label::DetailAmount);
    std::erase(amount, ',');
    return {{"records", records},
            {"accepted", records - output.rows.size()},
            {"rejected", output.rows.size()},
            {"accepted_amount", std::move(amount)},
            {"hash_total", LabelNumber(window.label(Label::HashTotal))}};
}

Json CodeOrNull(std::string_view code) {
    return code.empty() ? Json(nullptr) : Json(code);
}

// Where a finding, a rejected record or a run error failed.
void AddLocation(Json& object, const Location& where) {
    object["field"] = where.field;
    object["columns"] = {where.first, where.last};
    object["found"] = Cp874ToUtf8(where.found);
    object["expected"] = where.expected;
    object["hint"] = where.hint;
}

Json FindingsJson(const HeldWindow& window) {
    Json list = Json::array();
    const std::vector<std::string>& lines = window.listErr();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Json finding = {{"code", CodeOrNull(CodeOf(finding::kAll, lines[i]))},
                        {"text", Cp874ToUtf8(lines[i])}};
        AddLocation(finding, window.listErrPlaces()[i]);
        list.push_back(std::move(finding));
    }
    return list;
}

Json ErrorJson(const RunError& error) {
    Json json = {{"line", error.line}, {"message", EscapeControls(error.message)}};
    if (error.where)
        AddLocation(json, *error.where);
    else
        for (const char* key : {"field", "columns", "found", "expected", "hint"})
            json[key] = nullptr;
    return json;
}

std::optional<std::string> MovedBecause(const RunResult& result) {
    if (result.summaryMovedBecause.empty())
        return std::nullopt;
    return EscapeControls(result.summaryMovedBecause);
}

Json DigestOrNull(const std::string& sha256) {
    return sha256.empty() ? Json(nullptr) : Json(sha256);
}

Json JournalJson(const std::optional<JournalRecord>& journal) {
    if (!journal)
        return nullptr;
    return {{"run_id", journal->runId ? Json(*journal->runId) : Json(nullptr)},
            {"path", EscapeControls(journal->path)}};
}

Json SummaryJson(const CheckOutput& output) {
    const bool none = output.window.label(Label::SummaryPath).empty();
    Json summary = {{"path", none ? Json(nullptr) : Json(ShownSummaryPath(output.window, true))},
                    {"written", !output.result.summaryPath.empty()},
                    {"sha256", DigestOrNull(output.entry ? output.entry->summarySha256 : "")},
                    {"moved_because", OrNull(MovedBecause(output.result))}};
    if (!output.summaryReplaces.empty())
        summary["replaces"] = EscapeControls(output.summaryReplaces);
    return summary;
}

// An advisory's code, message and the facts it gives: keys only for the facts that apply.
Json AdvisoryJson(const Advisory& advisory) {
    Json json = {{"code", CodeName(advisory.code)}, {"message", EscapeControls(advisory.message)}};
    if (!advisory.lines.empty())
        json["lines"] = advisory.lines;
    if (!advisory.account.empty())
        json["account"] = Cp874ToUtf8(advisory.account);
    if (advisory.amount)
        json["amount"] = DecimalText(*advisory.amount);
    if (advisory.earlierAmount)
        json["earlier_amount"] = DecimalText(*advisory.earlierAmount);
    if (advisory.changePercent)
        json["change_percent"] = std::round(*advisory.changePercent * 100) / 100;
    if (!advisory.date.empty())
        json["date"] = advisory.date;
    if (!advisory.holiday.empty())
        json["holiday"] = advisory.holiday;
    return json;
}

Json AdvisoriesJson(const std::vector<Advisory>* advisories) {
    if (!advisories)
        return nullptr;
    Json list = Json::array();
    for (const Advisory& advisory : *advisories)
        list.push_back(AdvisoryJson(advisory));
    return list;
}

// The arrays of rows stay empty here: WriteJsonOutput streams them in.
Json ToJson(const CheckOutput& output) {
    const RunResult& result = output.result;
    Json error = result.error ? ErrorJson(*result.error) : Json(nullptr);
    Json report = {{"schema_version", kSchemaVersion},
                   {"media_file", EscapeControls(output.mediaPath)},
                   {"media_file_sha256", DigestOrNull(output.entry ? output.entry->mediaSha256 : "")},
                   {"format", FormatName(output.format)},
                   {"outcome", OutcomeName(result.outcome)},
                   {"messages", MessagesJson(output.messages)},
                   {"window", WindowJson(output)},
                   {"summary_file",
                    result.summaryPath.empty() ? Json(nullptr) : Json(EscapeControls(result.summaryPath))},
                   {"error", std::move(error)},
                   {"control", ControlJson(output)},
                   {"detail", DetailJson(output)},
                   {"findings", FindingsJson(output.window)},
                   {"rejected", Json::array()},
                   {"summary", SummaryJson(output)},
                   {"letter_available", LetterAvailable(output.result)},
                   {"advisories", AdvisoriesJson(output.advisories)},
                   {"journal", JournalJson(output.journal)}};
    // Last, and only where there is something to say: reports of code page 874 files stay as they were.
    if (output.foreignText)
        report["not_code_page_874"] = std::string(ForeignTextHint(*output.foreignText));
    return report;
}

std::string Dump(const Json& json, JsonLayout layout) {
    return json.dump(layout == JsonLayout::Indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

// JSON text as dump() writes it: the streamed rows are written straight,
// without a Json value built for each.
void AppendQuoted(std::string& json, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    json += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                json.append("\\u00").append(1, kHex[c >> 4]).append(1, kHex[c & 0xF]);
            else
                json += c;
        }
    }
    json += '"';
}

void AppendOrNull(std::string& json, const std::optional<std::string>& text) {
    if (text)
        AppendQuoted(json, *text);
    else
        json += "null";
}

// An array of arrays or objects, one element at a time, as dump() writes
// the value of a key indented `depth` steps.
class StreamedArray {
  public:
    StreamedArray(std::ostream& out, JsonLayout layout, int depth)
        : out_(out), indented_(layout == JsonLayout::Indented), depth_(depth) {}

    // The next element: '[' or '{', then its values, then close().
    void open(char bracket) {
        element_.clear();
        element_ += empty_ ? '[' : ',';
        lineEnd(depth_ + 1);
        element_ += bracket;
        bracket_ = bracket;
        firstValue_ = true;
    }

    // The next value, named by `key` in an object; then the value's text.
    std::string& value(std::string_view key = {}) {
        if (!firstValue_)
            element_ += ',';
        lineEnd(depth_ + 2);
        if (!key.empty())
            element_.append(1, '"').append(key).append(indented_ ? "\": " : "\":");
        firstValue_ = false;
        return element_;
    }

    // The next value: an array of two numbers, laid out as dump() lays it.
    void pair(std::string_view key, int first, int second) {
        std::string& text = value(key);
        text += '[';
        lineEnd(depth_ + 3);
        text.append(std::to_string(first)).append(1, ',');
        lineEnd(depth_ + 3);
        text += std::to_string(second);
        lineEnd(depth_ + 2);
        text += ']';
    }

    void close() {
        lineEnd(depth_ + 1);
        element_ += bracket_ == '[' ? ']' : '}';
        out_ << element_;
        empty_ = false;
    }

    void finish() {
        if (empty_)
            out_ << '[';
        else if (indented_)
            out_ << '\n' << std::string(static_cast<std::size_t>(2 * depth_), ' ');
        out_ << ']';
    }

  private:
    void lineEnd(int depth) {
        if (indented_)
            element_.append(1, '\n').append(static_cast<std::size_t>(2 * depth), ' ');
    }

    std::ostream& out_;
    bool indented_;
    int depth_;
    std::string element_;
    char bracket_ = '[';
    bool firstValue_ = true;
    bool empty_ = true;
};

void AddListViewRow(StreamedArray& rows, const ErrorRow& row) {
    rows.open('[');
    for (const std::string& cell : row)
        AppendQuoted(rows.value(), Cp874ToUtf8(cell));
    rows.close();
}

void AddRejected(StreamedArray& rows, const RejectedRecord& record, const Location& where,
                 std::size_t amountWholeLength) {
    rows.open('{');
    rows.value("line") += std::to_string(record.line);
    AppendOrNull(rows.value("account"), FieldText(record.account));
    AppendOrNull(rows.value("effective_date"), IsoDate(record.effectiveDate));
    AppendOrNull(rows.value("effective_date_raw"), FieldText(record.effectiveDate));
    AppendOrNull(rows.value("sign"), FieldText(record.sign));
    AppendOrNull(rows.value("amount"), AmountText(record.amount, amountWholeLength));
    AppendOrNull(rows.value("amount_raw"), FieldText(record.amount));
    AppendQuoted(rows.value("reason"), Cp874ToUtf8(record.reason));
    if (record.reasonCode.empty())
        rows.value("reason_code") += "null";
    else
        AppendQuoted(rows.value("reason_code"), record.reasonCode);
    AppendQuoted(rows.value("field"), where.field);
    rows.pair("columns", where.first, where.last);
    AppendQuoted(rows.value("found"), Cp874ToUtf8(where.found));
    AppendQuoted(rows.value("expected"), where.expected);
    AppendQuoted(rows.value("hint"), where.hint);
    rows.close();
}

} // namespace

// The report is dumped whole but for its rows, which are written in place of
// the empty arrays of ListView1 and rejected, in that order: no other key
// of those names holds an empty array, and none can occur inside a string,
// where every quotation mark is escaped.
void WriteJsonOutput(std::ostream& out, const CheckOutput& output, JsonLayout layout) {
    const std::string text = Dump(ToJson(output), layout);
    std::size_t from = 0;
    const std::string_view separator = layout == JsonLayout::Indented ? ": " : ":";
    const auto streamRows = [&](std::string_view key, int depth, const auto& add) {
        const std::string emptyRows = "\"" + std::string(key) + "\"" + std::string(separator) + "[]";
        const std::size_t at = text.find(emptyRows, from);
        if (at == std::string::npos)
            return;
        const std::size_t emptyArray = at + emptyRows.size() - 2;
        out.write(text.data() + from, static_cast<std::streamsize>(emptyArray - from));
        StreamedArray rows(out, layout, depth);
        output.rows.forEach([&](const ErrorRow& row) { add(rows, row); });
        rows.finish();
        from = emptyArray + 2;
    };
    streamRows("ListView1", 2, AddListViewRow);
    const RunFormat& format = FormatTable(output.format);
    const RowLocator locate(format, output.result.controlLine.value_or(""));
    streamRows("rejected", 1, [&](StreamedArray& rows, const ErrorRow& row) {
        AddRejected(rows, ReadRejectedRow(row), locate(row), format.detailWholeLength);
    });
    out << std::string_view(text).substr(from) << '\n';
}

} // namespace qrv::cli
