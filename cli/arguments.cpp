#include "cli/arguments.h"

#include <getopt.h>
#include <optional>
#include <vector>

namespace qrv::cli {

namespace {

enum OptionCode : int { kMediaPath = 1, kFormat = 256, kJson, kCsv, kLetter, kVersion, kHelp = 'h' };

constexpr option kLongOptions[] = {
    {"format", required_argument, nullptr, kFormat},
    {"json", no_argument, nullptr, kJson},
    {"csv", no_argument, nullptr, kCsv},
    {"letter", required_argument, nullptr, kLetter},
    {"version", no_argument, nullptr, kVersion},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// "-": every argument comes back in the order given, whatever POSIXLY_CORRECT
// says, with non-options as kMediaPath; ":": a missing value returns ':'.
constexpr char kShortOptions[] = "-:h";

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

void Apply(Parsed& parsed, int code, std::string_view value) {
    switch (code) {
    case kMediaPath:
        AddMediaPath(parsed, value);
        break;
    case kFormat:
        if (parsed.format)
            throw UsageError("--format given twice");
        parsed.format = ParseFormat(value);
        break;
    case kJson:
        parsed.json = true;
        break;
    case kCsv:
        parsed.csv = true;
        break;
    case kLetter:
        if (parsed.letterPath)
            throw UsageError("--letter given twice");
        if (value.empty())
            throw UsageError("the letter path is empty");
        parsed.letterPath = std::string(value);
        break;
    case kVersion:
        parsed.version = true;
        break;
    case kHelp:
        parsed.help = true;
        break;
    }
}

std::string_view NameOf(int code) {
    for (const option& known : kLongOptions)
        if (known.val == code)
            return known.name;
    return "";
}

// The argument as typed, up to any "=": getopt_long also takes unambiguous
// abbreviations ("--form"), which qrv-check refuses.
std::string_view Typed(std::string_view arg) {
    return arg.substr(0, arg.find('='));
}

class Parser {
  public:
    explicit Parser(std::span<const std::string_view> args) {
        words_.emplace_back("qrv-check");
        words_.insert(words_.end(), args.begin(), args.end());
        for (std::string& word : words_)
            argv_.push_back(word.data());
        argv_.push_back(nullptr);
    }

    Parsed parse() {
        Parsed parsed;
        optind = 0; // getopt_long keeps its place in globals; 0 starts afresh
        opterr = 0;
        const int argc = static_cast<int>(words_.size());
        for (;;) {
            int longIndex = -1;
            const int code = getopt_long(argc, argv_.data(), kShortOptions, kLongOptions, &longIndex);
            if (code == -1)
                break;
            checkReturned(code, longIndex);
            Apply(parsed, code, optarg ? optarg : "");
        }
        for (int at = optind; at < argc; ++at) // after "--"
            AddMediaPath(parsed, argv_[at]);
        return parsed;
    }

  private:
    // The long option just returned, as it stands in the arguments.
    std::string_view lastOption() const {
        const bool valueApart = optarg && optarg == argv_[optind - 1];
        return argv_[optind - (valueApart ? 2 : 1)];
    }

    void checkReturned(int code, int longIndex) const {
        if (code == '?')
            throw UsageError(optopt && NameOf(optopt) != ""
                                 ? "--" + std::string(NameOf(optopt)) + " takes no value"
                                 : "unknown option " + std::string(Typed(argv_[optind - 1])));
        if (code == ':')
            throw UsageError("--" + std::string(NameOf(optopt)) + " needs a value");
        if (longIndex < 0)
            return;
        const std::string_view typed = Typed(lastOption());
        if (typed.substr(2) != kLongOptions[longIndex].name)
            throw UsageError("unknown option " + std::string(typed));
    }

    std::vector<std::string> words_;
    std::vector<char*> argv_;
};

} // namespace

Arguments ParseArguments(std::span<const std::string_view> args) {
    Parsed parsed = Parser(args).parse();
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
