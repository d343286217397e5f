// Arbitrary bytes as a run's control line, made into the covering letter by
// the control layout of either format: no input may crash or trip a
// sanitizer, and every letter has its 26 lines.
#include "report/letter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace std::chrono;
    const std::string_view controlLine(reinterpret_cast<const char*>(data), size);
    for (const qrv::Format format : {qrv::Format::M100, qrv::Format::M10}) {
        const std::string letter = qrv::LetterForRun(controlLine, 123456, format, 2026y / December / 7);
        const auto lineEnds = static_cast<std::size_t>(std::count(letter.begin(), letter.end(), '\n'));
        if (lineEnds < qrv::kLetterLineCount || !letter.ends_with("\r\n"))
            std::abort();
        static_cast<void>(qrv::LetterTitle(controlLine, format));
    }
    return 0;
}
