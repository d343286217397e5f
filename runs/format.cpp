#include "runs/format.h"

#include "core/text.h"
#include "files/files.h"
#include "files/line_reader.h"
#include "runs/check_run.h"
#include "summary/summary_file.h"

namespace qrv {

namespace {

// Field positions (from 1) and lengths of each record; both layouts end at column 78.
constexpr FieldSpan kControl100M[] = {{1, 8},  {9, 1},  {10, 6},  {16, 30}, {46, 1}, {47, 1},
                                      {48, 6}, {54, 5}, {59, 11}, {70, 1},  {71, 8}};
constexpr FieldSpan kControl10M[] = {{1, 9},  {10, 1}, {11, 6},  {17, 30}, {47, 1}, {48, 1},
                                     {49, 6}, {55, 5}, {60, 10}, {70, 1},  {71, 8}};
constexpr FieldSpan kDetail100M[] = {{1, 10}, {11, 6}, {17, 1}, {18, 11}, {29, 50}};
constexpr FieldSpan kDetail10M[] = {{1, 10}, {11, 6}, {17, 1}, {18, 9}, {27, 52}};

// 100 M accepts "B" beside the codes both accept.
constexpr std::string_view kApplyCodes100M[] = {"D", "I", "P", "B", "Z", "C", "S", "G",
                                                "X", "1", "T", "E", "W", "6", "0", "4"};
constexpr std::string_view kApplyCodes10M[] = {"D", "I", "P", "Z", "C", "S", "G", "X",
                                               "1", "T", "E", "W", "6", "0", "4"};

const RunFormat& Table100M() {
    static const RunFormat format{
        .caption = "Format 100 M",
        .name = "100M",
        .controlLayout = kControl100M,
        .detailLayout = kDetail100M,
        .applyCodes = kApplyCodes100M,
        .passesFormatGate = [](std::string_view termPayment) { return !termPayment.empty(); },
        .columns = {{"NO.", 600, Alignment::Left},
                    {"Account NO.", 2000, Alignment::Left},
                    {"Effective Date", 1500, Alignment::Left},
                    {"Sign", 600, Alignment::Left},
                    {"Amount", 3000, Alignment::Left},
                    {"Reason", 5000, Alignment::Left}},
        .columnsBeforeOpen = false,
        .detailWholeLength = 9,
        .controlWholeLength = 9,
        .narrowCounters = true,
    };
    return format;
}

const RunFormat& Table10M() {
    static const RunFormat format{
        .caption = "Format 10 M",
        .name = "10M",
        .controlLayout = kControl10M,
        .detailLayout = kDetail10M,
        .applyCodes = kApplyCodes10M,
        .passesFormatGate =
            [](std::string_view termPayment) {
                return termPayment == "M" || termPayment == "H" || termPayment == "W";
            },
        .columns = {{"NO.", 600, Alignment::Left},
                    {"Account NO.", 2000, Alignment::Center},
                    {"Effective Date", 1500, Alignment::Center},
                    {"Sign", 600, Alignment::Center},
                    {"Amount", 2000, Alignment::Right},
                    {"Reason", 5000, Alignment::Left}},
        .columnsBeforeOpen = true,
        .detailWholeLength = 7,
        .controlWholeLength = 8,
        .narrowCounters = false,
    };
    return format;
}

// The first line as the check run reads it; nothing when the file cannot be
// read or is empty. A FIFO or device is refused at once, never waited on.
std::optional<std::string> FirstLine(const std::string& mediaPath) {
    try {
        LineReader media(mediaPath);
        std::string line;
        if (!media.next(line))
            return std::nullopt;
        return line;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

const RunFormat& FormatTable(Format format) {
    return format == Format::M100 ? Table100M() : Table10M();
}

std::string_view FormatCaption(Format format) {
    return FormatTable(format).caption;
}

std::string_view FormatName(Format format) {
    return FormatTable(format).name;
}

std::optional<Format> FormatFromName(std::string_view name) {
    for (const Format format : kFormats)
        if (UpperCase(name) == FormatName(format))
            return format;
    return std::nullopt;
}

std::optional<Format> FormatOfControlLine(std::string_view controlLine) {
    std::optional<Format> passed;
    for (const Format format : kFormats) {
        const RunFormat& table = FormatTable(format);
        const Fields fields = SplitRecord(controlLine, table.controlLayout);
        if (!table.passesFormatGate(Trim(fields[control::TermPayment])))
            continue;
        if (passed)
            return std::nullopt;
        passed = format;
    }
    return passed;
}

std::optional<Format> FormatOfFile(const std::string& mediaPath) {
    const std::optional<std::string> line = FirstLine(mediaPath);
    return line ? FormatOfControlLine(*line) : std::nullopt;
}

std::optional<ForeignText> ForeignTextOfFile(const std::string& mediaPath) {
    try {
        const FileUse use{"read", mediaPath};
        const FileDescriptor file = OpenRegularFile(use);
        std::string head(kForeignTextSample, '\0');
        head.resize(ReadUpTo(file.get(), head.data(), head.size(), use));
        return ForeignTextOf(head);
    } catch (const std::exception&) { // the run says why it cannot be read
        return std::nullopt;
    }
}

std::optional<std::string> SummaryPathOfRun(Format format, const std::string& mediaPath) {
    const std::optional<std::string> line = FirstLine(mediaPath);
    if (!line)
        return std::nullopt;
    const Fields control = SplitRecord(*line, FormatTable(format).controlLayout);
    try {
        return CreateSummaryFile(mediaPath, control[control::CompanyCode])->path();
    } catch (const FileError&) { // the run will say why
        return SummaryFilePath(mediaPath, control[control::CompanyCode]);
    }
}

RunResult CheckFile(Format format, const std::string& mediaPath, ResultWindow& window, UserPort& user,
                    RecordObserver* observer) {
    return RunCheck(FormatTable(format), mediaPath, window, user, observer);
}

} // namespace qrv
