// The summary file: the control line and every accepted detail line of a
// media file, each as read and ending in CR LF.
#pragma once

#include "files/file_error.h"
#include "files/files.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// Where a run writes the summary file of `mediaPath`: the first three
// characters of the path (code points of a UTF-8 path, else bytes), trimmed, followed by the company code as
// read (D:\pay\jan.txt and 012345 give D:\012345; in.txt gives in.012345). A network path's root is its
// share (\\server\share\pay\jan.txt gives \\server\share\012345). A path beginning with "/" has no
// drive root there, so the file goes into the media file's own folder instead (/home/ann/jan.txt gives
// /home/ann/012345).
std::string SummaryFilePath(std::string_view mediaPath, std::string_view companyCode);

// A summary path as two texts to show: the folder part, a file system name, and the company code it ends
// with, text of the media file in code page 874. A path that does not end with the code is all folder.
struct SummaryPathParts {
    std::string_view folder;
    std::string_view companyCode;
};
SummaryPathParts SplitSummaryPath(std::string_view path, std::string_view companyCode);

// A summary file put beside its media file, since the folder SummaryFilePath names refused it.
struct MovedSummary {
    std::string path;    // the media file's folder and the same name: C:\Users\ann\Desktop\012345
    std::string because; // "C:\ cannot be written; the summary is beside the media file"
};

// Where the summary file goes when creating it at SummaryFilePath failed with `refusal`: beside the media
// file, where the folder refused a new file (access denied, read-only) and is not the media file's own.
// Nothing when the refusal stands.
std::optional<MovedSummary> SummaryBesideMediaFile(std::string_view mediaPath, std::string_view companyCode,
                                                   const FileError& refusal);

// Writes a summary file as a PendingFile: until commit() gives it its name
// it is nowhere to be found, and any earlier file at the path stays as it
// was. The committed file keeps the permission bits of the file it replaces.
class SummaryWriter {
  public:
    // Throws FileError when the file cannot be created.
    explicit SummaryWriter(std::string path, std::string movedBecause = {});
    SummaryWriter(const SummaryWriter&) = delete;
    SummaryWriter& operator=(const SummaryWriter&) = delete;

    void writeLine(std::string_view line);
    // Throws FileError when the data cannot be written or moved into place.
    void commit();

    const std::string& path() const { return file_.path(); }
    // Why the file is beside the media file (MovedSummary::because); empty where the rule put it.
    const std::string& movedBecause() const { return movedBecause_; }

  private:
    void flush();

    PendingFile file_;
    std::vector<char> buffer_; // lines not yet written, in buffer_[0, used_)
    std::size_t used_ = 0;
    std::string movedBecause_;
};

// The summary file of a media file whose control record holds `companyCode`:
// at SummaryFilePath, or where that folder refuses it, beside the media file
// (SummaryBesideMediaFile). Never the media file itself: replacing it by its
// own summary would lose its rejected records. Throws FileError.
std::unique_ptr<SummaryWriter> CreateSummaryFile(const std::string& mediaPath, std::string_view companyCode);

} // namespace qrv
