// The rows of ListView1 kept in a temporary file (RowSpool), so that a run
// that rejects millions of records takes almost no memory for them: memory
// holds only where each run's stretch of rows stands among the others.
#pragma once

#include "runs/ports.h"
#include "runs/row_spool.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qrv::gui {

// Every RejectedRows that holds rows shares one spool, so that moving rows
// from one to another moves only where they stand; the file goes with the
// last of them. Copies share the rows, which never change.
class RejectedRows {
  public:
    static constexpr std::size_t kColumns = std::tuple_size_v<ErrorRow>;

    // Adds `row` at the end, as a row of run 0. Throws FileError when the
    // temporary file cannot be made or written.
    void append(const ErrorRow& row);
    // Moves every row of `block` in ahead of the row at `at` (after the last
    // row when `at` is past it), as rows of run `run`.
    void insert(std::size_t at, RejectedRows&& block, std::uint32_t run);

    // Keeps only the rows of run `run`, in their order.
    void keepRun(std::uint32_t run);

    std::size_t size() const {
        return stretches_.empty() ? 0 : stretches_.back().shownFirst + stretches_.back().count;
    }
    bool empty() const { return stretches_.empty(); }
    // Valid until the next call on any RejectedRows. These throw FileError
    // when the temporary file cannot be read back.
    std::string_view cell(std::size_t row, std::size_t column) const;
    const ErrorRow& cells(std::size_t row) const;
    std::uint32_t run(std::size_t row) const { return stretchOf(row).run; }
    // Whether the rows are of more than one run.
    bool mixesRuns() const;

  private:
    // Rows that follow each other in the spool and in this list.
    struct Stretch {
        std::uint64_t shownFirst; // where its first row stands in this list
        std::uint64_t storedFirst;
        std::uint64_t count;
        std::uint32_t run;
    };

    const Stretch& stretchOf(std::size_t row) const;
    // Adds a stretch after the last, joined to it where it continues it.
    void add(std::uint64_t storedFirst, std::uint64_t count, std::uint32_t run);

    std::shared_ptr<RowSpool> spool_; // none while empty
    std::vector<Stretch> stretches_;
};

} // namespace qrv::gui
