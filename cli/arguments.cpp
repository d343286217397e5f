#include "cli/arguments.h"

#include <optional>
#include <vector>

namespace qrv::cli {

namespace {

enum class Option { Format, Json, Csv, Letter, Version, Help };

struct OptionName {
    std::string_view name; // as typed, in full: abbreviations are refused
    Option option;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {"--format", Option::Format, true},    {"--json", Option::Json, false},
    {"--csv", Option::Csv, false},         {"--letter", Option::Letter, true},
    {"--version", Option::Version, false}, {"--help", Option::Help, false},
    {"-h", Option::Help, false},
};

struct Parsed {
    bool help = false;
    bool version = false;
    std::optional<Format> format;
    bool json = false;
    bool csv = false;
    std::vector<std::string> mediaPaths;
    std::optional<std::string> letterPath;
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
        if (!option.takesValue && equals != std::string_view::npos)
            throw UsageError(std::string(option.name) + " takes no value");
        if (option.takesValue && equals != std::string_view::npos)
            value = arg.substr(equals + 1);
        else if (option.takesValue && ++at < args.size())
            value = args[at];
        else if (option.takesValue)
            throw UsageError(std::string(option.name) + " needs a value");
        Apply(parsed, option.option, value);
    }
    return parsed;
}

} // namespace

Arguments ParseArguments(std::span<const std::string_view> args) {
    Parsed parsed = Parse(args);
    Arguments arguments;
    if (parsed.help || parsed.version) {
        arguments.request = parsed.help ? Arguments::Request::Help : Arguments::Request::Version;
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
    return arguments;
}

} // namespace qrv::cli
