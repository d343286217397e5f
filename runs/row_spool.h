// The rows of ListView1 in an unnamed temporary file, so that a run that
// rejects millions of records holds none of them in memory.
#pragma once

#include "files/files.h"
#include "runs/held_ports.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

// The file is made in TemporaryFolder() only once the rows outgrow a block
// in memory, and rows are written to it a block at a time as they come, so
// that every write failure happens while the run adds rows: it then stops
// the run as a run error, before the summary file is committed. Memory holds
// the block, the file offset of every kGroupRows-th row and a few groups of
// rows read back.
class RowSpool : public RowStore {
  public:
    static constexpr std::int64_t kGroupRows = 128;

    RowSpool();

    // Rows are only appended, as a check run adds them: any other position
    // throws std::out_of_range. Throws FileError naming the temporary folder
    // when the file cannot be made or written.
    void insert(std::int64_t position, ErrorRow row) override;
    void clear() override;
    // Adds `row` after the last.
    void append(const ErrorRow& row);

    std::int64_t size() const { return size_; }
    // The row at `index`, counted from 0; valid until the next call. Throws
    // FileError when the file cannot be read back.
    const ErrorRow& row(std::int64_t index) const;
    // Calls `visit` with each row from top to bottom. Where the file cannot
    // be read back, it stops there and readFailure() says why.
    void forEach(const std::function<void(const ErrorRow&)>& visit) const;
    // The message of the last reading that failed.
    const std::optional<std::string>& readFailure() const { return readFailure_; }

  private:
    struct Group {
        std::int64_t first = -1; // the index of its first row; -1 for none
        std::vector<ErrorRow> rows;
    };

    void writeOut();
    const Group& group(std::int64_t index) const;
    void read(std::uint64_t begin, std::uint64_t end, std::string& into) const;

    std::string folder_;
    FileDescriptor file_;       // open once the first block is written
    std::uint64_t written_ = 0; // bytes in the file
    std::string block_;         // encoded rows not yet in the file
    std::int64_t size_ = 0;
    std::vector<std::uint64_t> groupStarts_; // where each group's rows begin
    mutable std::array<Group, 4> groups_;    // read back, the least recent replaced
    mutable std::size_t nextGroup_ = 0;
    mutable std::optional<std::string> readFailure_;
};

} // namespace qrv
