// Arbitrary bytes as a media file, checked by both runs: no input may crash,
// hang or trip a sanitizer, and every run ends in one of its four outcomes.
#include "fuzz/work_folder.h"
#include "runs/format.h"
#include "tests/support/null_ports.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace {

bool IsOneOfTheOutcomes(qrv::RunOutcome outcome) {
    switch (outcome) {
    case qrv::RunOutcome::Finished:
    case qrv::RunOutcome::WrongFormat:
    case qrv::RunOutcome::ControlRejected:
    case qrv::RunOutcome::RunError:
        return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string media = (qrv::fuzz::Work() / "media.txt").string();
    std::ofstream(media, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    qrv::NullWindow window;
    qrv::SilentUser user;
    for (const qrv::Format format : qrv::kFormats) {
        const qrv::RunResult result = qrv::CheckFile(format, media, window, user);
        if (!IsOneOfTheOutcomes(result.outcome) ||
            (result.outcome == qrv::RunOutcome::RunError) != result.error.has_value())
            std::abort();
    }
    return 0;
}
