#include "cli/letter_path.h"

#include "cli/arguments.h"
#include "files/files.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>

namespace qrv::cli {

namespace {

namespace fs = std::filesystem;

// As the kernel does, a chain of more links than this is given up.
constexpr int kMaxLinks = 40;

// A path of the UTF-8 text the program holds paths in; a plain std::string
// would be read in the code page on Windows. Bytes that are no UTF-8 (a
// summary name taken from a media file's control line) are taken as they are.
fs::path PathOf(const std::string& utf8) {
    try {
        return fs::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const fs::filesystem_error&) {
        return fs::path(utf8);
    }
}

fs::path Resolved(fs::path path) {
    std::error_code error;
    for (int links = 0; links < kMaxLinks && fs::is_symlink(path, error); ++links) {
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    fs::path absolute = fs::absolute(path, error);
    fs::path resolved = fs::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal() : resolved;
}

} // namespace

bool SameFile(const std::string& a, const std::string& b) {
    if (const std::optional<bool> same = SameExistingFile(a, b))
        return *same;
    return Resolved(PathOf(a)) == Resolved(PathOf(b));
}

std::optional<std::string> LetterPathComplaint(const std::string& letterPath, const std::string& mediaPath,
                                               const std::string& summaryPath) {
    if (SameFile(letterPath, mediaPath))
        return "--letter " + letterPath + " is the media file itself";
    if (!summaryPath.empty() && SameFile(letterPath, summaryPath))
        return "--letter " + letterPath + " is the summary file " + summaryPath + " of the media file";
    return std::nullopt;
}

void CheckLetterPath(Format format, const std::string& mediaPath, const std::string& letterPath) {
    const std::string summary = SummaryPathOfRun(format, mediaPath).value_or("");
    if (const std::optional<std::string> complaint = LetterPathComplaint(letterPath, mediaPath, summary))
        throw UsageError(*complaint);
}

void CheckSummaryPaths(Format format, const std::vector<std::string>& mediaPaths) {
    if (mediaPaths.size() < 2)
        return;
    for (const std::string& media : mediaPaths) {
        const std::optional<std::string> summary = SummaryPathOfRun(format, media);
        if (!summary)
            continue;
        for (const std::string& other : mediaPaths)
            if (!SameFile(other, media) && SameFile(*summary, other))
                throw std::runtime_error("the summary file " + *summary + " of " + media +
                                         " would replace the media file " + other + "; nothing was checked");
    }
}

std::optional<std::string> WrittenSummaries::record(const std::string& mediaPath,
                                                    const std::string& summaryPath) {
    for (Written& earlier : written_) {
        if (!SameFile(earlier.summaryPath, summaryPath))
            continue;
        std::string replaced = std::exchange(earlier.mediaPath, mediaPath);
        if (SameFile(replaced, mediaPath)) // the same media file again: nothing is lost
            return std::nullopt;
        return replaced;
    }
    written_.push_back({summaryPath, mediaPath});
    return std::nullopt;
}

} // namespace qrv::cli
