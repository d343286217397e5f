// Arbitrary bytes as a summary file, its first line made into the covering
// letter by the control layout of either format: no input may crash or trip
// a sanitizer, and every letter has its 26 lines, or none for an empty file.
#include "fuzz/work_folder.h"
#include "report/letter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace std::chrono;
    const std::string summary = (qrv::fuzz::Work() / "012345").string();
    std::ofstream(summary, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), size);
    for (const qrv::Format format : {qrv::Format::M100, qrv::Format::M10}) {
        const std::string letter = qrv::LetterForSummary(summary, "123456", format, 2026y / December / 7);
        const auto lineEnds = static_cast<std::size_t>(std::count(letter.begin(), letter.end(), '\n'));
        if (lineEnds != (size == 0 ? 0 : qrv::kLetterLineCount) ||
            !(letter.empty() || letter.ends_with("\r\n")))
            std::abort();
    }
    return 0;
}
