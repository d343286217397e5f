// Where qrv-check may write: the covering letter never over the media file
// it checks, nor over the summary file the run writes; no summary file over
// another media file of the same call.
#pragma once

#include "runs/format.h"

#include <optional>
#include <string>
#include <vector>

namespace qrv::cli {

// Whether two paths name one file: the same device and inode where both
// exist, otherwise the same absolute path once symbolic links are followed,
// even to a file that does not exist yet.
bool SameFile(const std::string& a, const std::string& b);

// What forbids writing the letter to `letterPath`: it is, or leads to, the
// media file or the summary file (when `summaryPath` is not empty). Nothing
// when neither.
std::optional<std::string> LetterPathComplaint(const std::string& letterPath, const std::string& mediaPath,
                                               const std::string& summaryPath);

// Throws UsageError when `letterPath` is, or leads to, the media file or the
// summary file the run of `mediaPath` would write. Once the run has written
// its summary file, LetterPathComplaint asks again: only then can two paths
// to it (a bind mount, a trailing dot that FAT drops from a name) be
// known for one file.
void CheckLetterPath(Format format, const std::string& mediaPath, const std::string& letterPath);

// With several media files, throws std::runtime_error naming both files when
// the summary file the run of one would write is another of them, which that
// run would replace before it is read. A media file that is its own summary
// file is left to its run, which refuses it.
void CheckSummaryPaths(Format format, const std::vector<std::string>& mediaPaths);

// The summary files the runs of one call have written, each with the media
// file whose summary it holds now: several files of one company on one drive
// share a summary path, and each run replaces the summary of the one before.
class WrittenSummaries {
  public:
    // Records that the run of `mediaPath` wrote `summaryPath`; answers the
    // other media file whose summary it replaced, if any.
    std::optional<std::string> record(const std::string& mediaPath, const std::string& summaryPath);

  private:
    struct Written {
        std::string summaryPath;
        std::string mediaPath;
    };
    std::vector<Written> written_;
};

} // namespace qrv::cli
