// The rows of ListView1 in an unnamed temporary file, so that a run that
// rejects millions of records holds none of them in memory.
#pragma once

#include "files/files.h"
#include "runs/held_ports.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qrv::cli {

// The file is made in TemporaryFolder() only once the rows outgrow a block
// in memory, and rows are written to it a block at a time as they come, so
// that every write failure happens while the run adds rows: it then stops
// the run as a run error, before the summary file is committed.
class RowSpool : public RowStore {
  public:
    RowSpool();

    // Rows are only appended, as a check run adds them: any other position
    // throws std::out_of_range. Throws FileError naming the temporary folder
    // when the file cannot be made or written.
    void insert(std::int64_t position, ErrorRow row) override;
    void clear() override;

    std::int64_t size() const { return size_; }
    // Calls `visit` with each row from top to bottom. Where the file cannot
    // be read back, it stops there and readFailure() says why.
    void forEach(const std::function<void(const ErrorRow&)>& visit) const;
    // The message of the last reading that failed.
    const std::optional<std::string>& readFailure() const { return readFailure_; }

  private:
    void writeOut();

    std::string folder_;
    FileDescriptor file_; // open once the first block is written
    std::string block_;   // encoded rows not yet in the file
    std::int64_t size_ = 0;
    mutable std::optional<std::string> readFailure_;
};

} // namespace qrv::cli
