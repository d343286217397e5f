// qrv-check: checks a media file from the command line, as the "Edit Data"
// button does, and reports what the result window and message boxes show.
#include "cli/arguments.h"
#include "core/file_error.h"
#include "report/letter.h"
#include "report/letter_file.h"

#include <iostream>
#include <vector>

namespace {

using namespace qrv::cli;

// The covering letter the letter window would build from this run's summary
// file and hash total, byte for byte. False when it cannot be written; a run
// that stopped early has no letter, which is said but is no further failure.
bool WriteLetter(const Arguments& arguments, const qrv::RunResult& result, const qrv::HeldWindow& window) {
    if (result.outcome != qrv::RunOutcome::Finished || !window.exists()) {
        std::cerr << "qrv-check: no letter written: the check did not reach the end of the media file\n";
        return true;
    }
    try {
        qrv::SaveLetterAs(arguments.letterPath,
                          qrv::LetterForSummary(result.summaryPath, window.label(qrv::Label::HashValue),
                                                arguments.format, qrv::Today()));
        return true;
    } catch (const qrv::FileError& e) {
        std::cerr << "qrv-check: no letter written: " << e.what() << '\n';
        return false;
    }
}

int Check(const Arguments& arguments) {
    qrv::RowList rows;
    qrv::HeldWindow window(rows);
    qrv::MessageLog user;
    const qrv::RunResult result = qrv::CheckFile(arguments.format, arguments.mediaPath, window, user);
    const CheckReport report{arguments.format, result, window, rows.rows(), user.messages()};
    if (arguments.json)
        std::cout << ToJson(report).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    else
        WriteTextReport(std::cout, report);
    std::cout.flush();
    const bool letterWritten = arguments.letterPath.empty() || WriteLetter(arguments, result, window);
    return std::cout && letterWritten ? ExitStatus(result) : 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        const Arguments arguments = ParseArguments(args);
        if (arguments.help) {
            std::cout << kUsage;
            return 0;
        }
        return Check(arguments);
    } catch (const UsageError& e) {
        std::cerr << "qrv-check: " << e.what() << '\n' << kUsage;
        return 2;
    }
}
