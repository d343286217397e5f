#include "cli/arguments.h"

#include "advisories/holidays.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace qrv::cli {

namespace {

enum class Option {
    Format,
    Json,
    Csv,
    Letter,
    Compare,
    Holidays,
    LeadDays,
    Today,
    Strict,
    NoAdvisories,
    Journal,
    FindInJournal,
    Version,
    Help
};

enum class Value {
    None,
    Required, // "--name value" or "--name=value"
    Optional, // "--name=value" only
};

struct OptionName {
    std::string_view name; // as typed, in full: abbreviations are refused
    Option option;
    Value value;
};

constexpr OptionName kOptions[] = {
    {"--format", Option::Format, Value::Required},
    {"--json", Option::Json, Value::None},
    {"--csv", Option::Csv, Value::None},
    {"--letter", Option::Letter, Value::Required},
    {"--compare", Option::Compare, Value::Required},
    {"--holidays", Option::Holidays, Value::Required},
    {"--lead-days", Option::LeadDays, Value::Required},
    {"--today", Option::Today, Value::Required},
    {"--strict", Option::Strict, Value::None},
    {"--no-advisories", Option::NoAdvisories, Value::None},
    {"--journal", Option::Journal, Value::Optional},
    {"--find-in-journal", Option::FindInJournal, Value::Required},
    {"--version", Option::Version, Value::None},
    {"--help", Option::Help, Value::None},
    {"-h", Option::Help, Value::None},
};

struct Parsed {
    bool help = false;
    bool version = false;
    std::optional<Format> format;
    bool json = false;
    bool csv = false;
    std::vector<std::string> mediaPaths;
    std::optional<std::string> letterPath;
    bool noAdvisories = false;
    bool strict = false;
    std::optional<std::string> comparePath;
    std::optional<std::string> holidayPath;
    std::optional<std::string_view> leadDays;
    std::optional<std::string_view> today;
    std::optional<std::string> journalPath; // empty: the default journal
    std::optional<std::string> findPath;
};

Format ParseFormat(std::string_view name) {
    if (const std::optional<Format> format = FormatFromName(name))
        return *format;
    throw UsageError("unknown format \"" + std::string(name) + "\" (use 100M or 10M)");
}

void AddMediaPath(Parsed& parsed, std::string_view path) {
    if (path.empty())
        throw UsageError("a media file path is empty");
    parsed.mediaPaths.emplace_back(path);
}

// The value of an option that may be given once.
template <typename T> void SetOnce(std::optional<T>& option, std::string_view name, std::string_view value) {
    if (option)
        throw UsageError(std::string(name) + " given twice");
    option = T(value);
}

void SetPath(std::optional<std::string>& option, std::string_view name, std::string_view value) {
    if (value.empty())
        throw UsageError("the path of " + std::string(name) + " is empty");
    SetOnce(option, name, value);
}

void Apply(Parsed& parsed, Option option, std::string_view value) {
    switch (option) {
    case Option::Format:
        if (parsed.format)
            throw UsageError("--format given twice");
        parsed.format = ParseFormat(value);
        break;
    case Option::Json:
        parsed.json = true;
        break;
    case Option::Csv:
        parsed.csv = true;
        break;
    case Option::Letter:
        if (parsed.letterPath)
            throw UsageError("--letter given twice");
        if (value.empty())
            throw UsageError("the letter path is empty");
        parsed.letterPath = std::string(value);
        break;
    case Option::Compare:
        SetPath(parsed.comparePath, "--compare", value);
        break;
    case Option::Holidays:
        SetPath(parsed.holidayPath, "--holidays", value);
        break;
    case Option::LeadDays:
        SetOnce(parsed.leadDays, "--lead-days", value);
        break;
    case Option::Today:
        SetOnce(parsed.today, "--today", value);
        break;
    case Option::Strict:
        parsed.strict = true;
        break;
    case Option::NoAdvisories:
        parsed.noAdvisories = true;
        break;
    case Option::Journal:
        if (parsed.journalPath)
            throw UsageError("--journal given twice");
        parsed.journalPath = std::string(value);
        break;
    case Option::FindInJournal:
        if (parsed.findPath)
            throw UsageError("--find-in-journal given twice");
        if (value.empty())
            throw UsageError("the file to find in the journal is empty");
        parsed.findPath = std::string(value);
        break;
    case Option::Version:
        parsed.version = true;
        break;
    case Option::Help:
        parsed.help = true;
        break;
    }
}

// The option an argument names, up to any "=", exactly as typed.
const OptionName& Named(std::string_view typed) {
    for (const OptionName& known : kOptions)
        if (known.name == typed)
            return known;
    throw UsageError("unknown option " + std::string(typed) +
                     " (a media file whose name starts with \"-\" goes after \"--\")");
}

// Options come in any order among the media files, whatever POSIXLY_CORRECT
// says; "-" alone is a file name.
Parsed Parse(std::span<const std::string_view> args) {
    Parsed parsed;
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string_view arg = args[at];
        if (arg == "--") {
            for (++at; at < args.size(); ++at)
                AddMediaPath(parsed, args[at]);
            break;
        }
        if (!arg.starts_with('-') || arg == "-") {
            AddMediaPath(parsed, arg);
            continue;
        }
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
        const OptionName& option = Named(arg.substr(0, equals));
        std::string_view value;
        const bool equalsValue = equals != std::string_view::npos;
        if (option.value == Value::None && equalsValue)
            throw UsageError(std::string(option.name) + " takes no value");
        if (option.value == Value::Optional && equalsValue && equals + 1 == arg.size())
            throw UsageError(std::string(option.name) + "= needs a path");
        if (option.value != Value::None && equalsValue)
            value = arg.substr(equals + 1);
        else if (option.value == Value::Required && ++at < args.size())
            value = args[at];
        else if (option.value == Value::Required)
            throw UsageError(std::string(option.name) + " needs a value");
        Apply(parsed, option.option, value);
    }
    return parsed;
}

// Up to three digits: a lead of more than 999 banking days is no lead a bank asks for.
std::optional<int> LeadDays(std::string_view text) {
    if (text.empty() || text.size() > 3 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int days = 0;
    for (const char c : text)
        days = days * 10 + (c - '0');
    return days;
}

// What the advisories take from the command line; a value they cannot use is
// said, and left out.
void ApplyAdvisoryOptions(const Parsed& parsed, Arguments& arguments) {
    arguments.advisories = !parsed.noAdvisories;
    arguments.strict = parsed.strict;
    arguments.comparePath = parsed.comparePath.value_or("");
    arguments.holidayPath = parsed.holidayPath.value_or("");
    if (parsed.leadDays) {
        arguments.leadDays = LeadDays(*parsed.leadDays);
        if (!arguments.leadDays)
            arguments.warnings.push_back("--lead-days takes a number of banking days from 0 to 999, not \"" +
                                         std::string(*parsed.leadDays) + "\"; 2 is used");
    }
    if (parsed.today) {
        arguments.today = IsoDay(*parsed.today);
        if (!arguments.today)
            arguments.warnings.push_back("--today takes a day written YYYY-MM-DD, not \"" +
                                         std::string(*parsed.today) + "\"; the system date is used");
    }
}

} // namespace

Arguments ParseArguments(std::span<const std::string_view> args) {
    Parsed parsed = Parse(args);
    Arguments arguments;
    if (parsed.help || parsed.version) {
        arguments.request = parsed.help ? Arguments::Request::Help : Arguments::Request::Version;
        return arguments;
    }
    arguments.useJournal = parsed.journalPath.has_value();
    arguments.journalPath = parsed.journalPath.value_or("");
    if (parsed.findPath) {
        if (parsed.format || !parsed.mediaPaths.empty() || parsed.json || parsed.csv || parsed.letterPath)
            throw UsageError("--find-in-journal takes only --journal=PATH beside it");
        if (arguments.useJournal && arguments.journalPath.empty())
            throw UsageError(
                "--find-in-journal reads the default journal unless --journal=PATH names another");
        arguments.request = Arguments::Request::FindInJournal;
        arguments.findPath = *parsed.findPath;
        return arguments;
    }
    if (!parsed.format)
        throw UsageError("--format is missing");
    if (parsed.mediaPaths.empty())
        throw UsageError("the media file is missing");
    if (parsed.json && parsed.csv)
        throw UsageError("--json and --csv exclude each other");
    if (parsed.letterPath && parsed.mediaPaths.size() > 1)
        throw UsageError("--letter applies to a single media file");
    arguments.format = *parsed.format;
    arguments.json = parsed.json;
    arguments.csv = parsed.csv;
    arguments.mediaPaths = std::move(parsed.mediaPaths);
    arguments.letterPath = parsed.letterPath.value_or("");
    ApplyAdvisoryOptions(parsed, arguments);
    return arguments;
}

} // namespace qrv::cli
