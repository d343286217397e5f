// qrv-check: checks a media file from the command line, as the "Edit Data"
// button does, and reports what the result window and message boxes show.
#include "cli/arguments.h"
#include "engine/module_100m.h"
#include "engine/module_10m.h"

#include <iostream>
#include <vector>

namespace {

using namespace qrv::cli;

int Check(const Arguments& arguments) {
    ReportWindow window;
    MessageLog user;
    const qrv::RunResult result = arguments.format == MediaFormat::Format100M
                                      ? qrv::CheckFile100M(arguments.mediaPath, window, user)
                                      : qrv::CheckFile10M(arguments.mediaPath, window, user);
    const CheckReport report{arguments.format, result, window.contents(), user.messages()};
    if (arguments.json)
        std::cout << ToJson(report).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    else
        WriteTextReport(std::cout, report);
    std::cout.flush();
    return std::cout ? ExitStatus(result) : 2;
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
