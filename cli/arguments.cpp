#include "cli/arguments.h"

#include <optional>

namespace qrv::cli {

namespace {

struct Parsed {
    bool help = false;
    std::optional<Format> format;
    bool json = false;
    std::optional<std::string> mediaPath;
    std::optional<std::string> letterPath;
};

Format ParseFormat(std::string_view name) {
    if (const std::optional<Format> format = FormatFromName(name))
        return *format;
    throw UsageError("unknown format \"" + std::string(name) + "\" (use 100M or 10M)");
}

struct Option {
    std::string_view name;
    bool takesValue;
    void (*apply)(Parsed& parsed, std::string_view value);
};

constexpr Option kOptions[] = {
    {"--format", true,
     [](Parsed& parsed, std::string_view value) {
         if (parsed.format)
             throw UsageError("--format given twice");
         parsed.format = ParseFormat(value);
     }},
    {"--json", false,
     [](Parsed& parsed, std::string_view) {
         parsed.json = true;
     }},
    {"--letter", true,
     [](Parsed& parsed, std::string_view value) {
         if (parsed.letterPath)
             throw UsageError("--letter given twice");
         if (value.empty())
             throw UsageError("the letter path is empty");
         parsed.letterPath = std::string(value);
     }},
    {"--help", false,
     [](Parsed& parsed, std::string_view) {
         parsed.help = true;
     }},
};

const Option& FindOption(std::string_view name) {
    for (const Option& option : kOptions)
        if (option.name == name)
            return option;
    throw UsageError("unknown option " + std::string(name));
}

void AddMediaPath(Parsed& parsed, std::string_view path) {
    if (parsed.mediaPath)
        throw UsageError("more than one media file given");
    if (path.empty())
        throw UsageError("the media file path is empty");
    parsed.mediaPath = std::string(path);
}

} // namespace

Arguments ParseArguments(std::span<const std::string_view> args) {
    Parsed parsed;
    bool optionsEnded = false;
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string_view arg = args[at];
        if (optionsEnded || !arg.starts_with("-") || arg == "-") {
            AddMediaPath(parsed, arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const Option& option = FindOption(arg == "-h" ? "--help" : arg.substr(0, equals));
        std::string_view value;
        if (equals != std::string_view::npos) {
            if (!option.takesValue)
                throw UsageError(std::string(option.name) + " takes no value");
            value = arg.substr(equals + 1);
        } else if (option.takesValue) {
            if (++at == args.size())
                throw UsageError(std::string(option.name) + " needs a value");
            value = args[at];
        }
        option.apply(parsed, value);
    }
    Arguments arguments;
    if (parsed.help) {
        arguments.help = true;
        return arguments;
    }
    if (!parsed.format)
        throw UsageError("--format is missing");
    if (!parsed.mediaPath)
        throw UsageError("the media file is missing");
    arguments.format = *parsed.format;
    arguments.json = parsed.json;
    arguments.mediaPath = std::move(*parsed.mediaPath);
    arguments.letterPath = parsed.letterPath.value_or("");
    return arguments;
}

} // namespace qrv::cli
