// The command line of qrv-check.
#pragma once

#include "cli/check_report.h"

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv::cli {

inline constexpr std::string_view kUsage =
    "usage: qrv-check --format 100M|10M [--json] [--letter PATH] MEDIA_FILE\n"
    "Checks MEDIA_FILE in the given format, writes its summary file and\n"
    "reports what the result window and the message boxes would show.\n"
    "--letter PATH also writes the covering letter to the bank to PATH when\n"
    "the run reaches the end of the file.\n"
    "Exit status: 0 no finding, 1 findings or control record rejected,\n"
    "2 wrong format, a stopped run or a usage error.\n";

struct Arguments {
    bool help = false; // the other members are unset when help was asked for
    Format format = Format::M100;
    bool json = false;
    std::string mediaPath;
    std::string letterPath; // empty: no letter
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Options come in any order, "--name value" or "--name=value"; "--" ends
// them. Throws UsageError saying what is wrong.
Arguments ParseArguments(std::span<const std::string_view> args);

} // namespace qrv::cli
