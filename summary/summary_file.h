// The summary file: the control line and every accepted detail line of a
// media file, each as read and ending in CR LF.
#pragma once

#include "files/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// Where a run writes the summary file of `mediaPath`: the first three
// characters of the path (code points of a UTF-8 path, else bytes), trimmed, followed by the company code as
// read (D:\pay\jan.txt and 012345 give D:\012345; in.txt gives in.012345). A path beginning with "/" has no
// drive root there, so the file goes into the media file's own folder instead (/home/ann/jan.txt gives
// /home/ann/012345).
std::string SummaryFilePath(std::string_view mediaPath, std::string_view companyCode);

// Writes a summary file as a PendingFile: until commit() gives it its name
// it is nowhere to be found, and any earlier file at the path stays as it
// was. The committed file keeps the permission bits of the file it replaces.
class SummaryWriter {
  public:
    // Throws FileError when the file cannot be created.
    explicit SummaryWriter(std::string path);
    SummaryWriter(const SummaryWriter&) = delete;
    SummaryWriter& operator=(const SummaryWriter&) = delete;

    void writeLine(std::string_view line);
    // Throws FileError when the data cannot be written or moved into place.
    void commit();

    const std::string& path() const { return file_.path(); }

  private:
    void flush();

    PendingFile file_;
    std::vector<char> buffer_; // lines not yet written, in buffer_[0, used_)
    std::size_t used_ = 0;
};

} // namespace qrv
