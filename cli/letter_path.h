// Where qrv-check may write: the covering letter never over the media file
// it checks, nor over the summary file the run writes; no summary file over
// another media file of the same call.
#pragma once

#include "runs/format.h"

#include <string>
#include <vector>

namespace qrv::cli {

// Whether two paths name one file: the same device and inode where both
// exist, otherwise the same absolute path once symbolic links are followed,
// even to a file that does not exist yet.
bool SameFile(const std::string& a, const std::string& b);

// Throws UsageError when `letterPath` is, or leads to, the media file or the
// summary file the run of `mediaPath` would write.
void CheckLetterPath(Format format, const std::string& mediaPath, const std::string& letterPath);

// With several media files, throws std::runtime_error naming both files when
// the summary file the run of one would write is another of them, which that
// run would replace before it is read. A media file that is its own summary
// file is left to its run, which refuses it.
void CheckSummaryPaths(Format format, const std::vector<std::string>& mediaPaths);

} // namespace qrv::cli
