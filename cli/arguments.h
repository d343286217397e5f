// The command line of qrv-check.
#pragma once

#include "cli/check_output.h"

#include <chrono>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cli {

inline constexpr std::string_view kUsage =
    "usage: qrv-check --format 100M|10M [--json | --csv] [--letter PATH] [--journal[=PATH]]\n"
    "                 MEDIA_FILE...\n"
    "       qrv-check --find-in-journal FILE [--journal=PATH]\n"
    "       qrv-check --version | --help\n"
    "Checks each MEDIA_FILE in turn in the given format, writes its summary\n"
    "file and reports, in the order given, what the result window and the\n"
    "message boxes would show.\n"
    "  --format 100M|10M  the layout of the media files, in either letter case\n"
    "  --json             one JSON object per media file, each on a line of its\n"
    "                     own (JSON Lines); a single file gives one object\n"
    "  --csv              the rejected records of every MEDIA_FILE as CSV, under\n"
    "                     one header line\n"
    "  --letter PATH      also write the covering letter to the bank to PATH\n"
    "                     when the run reaches the end of the file; a single\n"
    "                     MEDIA_FILE only, and not the media file or its summary\n"
    "Advisories, beside the checks and never changing them:\n"
    "  --compare EARLIER_FILE  compare with an earlier media file of the company\n"
    "  --holidays FILE    the banks' holidays, one YYYY-MM-DD name a line\n"
    "  --lead-days N      banking days the bank needs before the effective date\n"
    "                     (default 2; 0 is off)\n"
    "  --today YYYY-MM-DD the day to check the effective date against\n"
    "                     (default: the system date)\n"
    "  --strict           exit status 1 also for advisories alone\n"
    "  --no-advisories    leave them out\n"
    "  --journal[=PATH]   also record each run in the journal of checks, the\n"
    "                     desktop program's unless PATH names another, and\n"
    "                     say whether the file was checked before\n"
    "  --find-in-journal FILE\n"
    "                     say when a file with the bytes of FILE was checked,\n"
    "                     with what outcome, and what became of its letter\n"
    "  --version          print the version and exit\n"
    "  -h, --help         print this text and exit\n"
    "  --                 end the options\n"
    "A run error, Wrong Format or a usage error also goes to standard error as\n"
    "one line: qrv-check: FILE: message\n"
    "Exit status: 0 no finding, 1 findings or control record rejected (or,\n"
    "with --strict, advisories),\n"
    "2 wrong format, a stopped run or a usage error; with several files, the\n"
    "highest of their runs.\n";

struct Arguments {
    enum class Request { Check, FindInJournal, Help, Version };
    Request request = Request::Check; // the other members are unset unless it is Check
    Format format = Format::M100;
    bool json = false;
    bool csv = false;
    std::vector<std::string> mediaPaths; // in the order given
    std::string letterPath;              // empty: no letter
    bool advisories = true;
    bool strict = false;
    std::string comparePath; // empty: no comparison
    std::string holidayPath; // empty: no holiday list
    std::optional<int> leadDays;
    std::optional<std::chrono::year_month_day> today;
    // Option values that could not be used, in English; the check runs without them.
    std::vector<std::string> warnings;
    // The journal to record in (Check) or to search (FindInJournal); empty
    // for the default one. Check records only when `useJournal`.
    bool useJournal = false;
    std::string journalPath;
    std::string findPath; // FindInJournal: the file whose bytes are looked for
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Options come in any order, "--name value" or "--name=value"; "--" ends
// them. Throws UsageError saying what is wrong.
Arguments ParseArguments(std::span<const std::string_view> args);

} // namespace qrv::cli
