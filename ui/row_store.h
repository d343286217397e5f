// The rows of ListView1 kept compactly: the cell texts of all rows in one
// buffer, and one small record per row that says where its cells are and
// which run added it. A million rejected records must fit in memory.
#pragma once

#include "runs/ports.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::gui {

class RejectedRows {
  public:
    static constexpr std::size_t kColumns = std::tuple_size_v<ErrorRow>;

    // Adds `row` at the end, as a row of run 0.
    void append(const ErrorRow& row);
    // Moves every row of `block` in ahead of the row at `at` (after the last
    // row when `at` is past it), as rows of run `run`.
    void insert(std::size_t at, RejectedRows&& block, std::uint32_t run);

    // Keeps only the rows of run `run`, in their order.
    void keepRun(std::uint32_t run);

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    std::string_view cell(std::size_t row, std::size_t column) const;
    std::uint32_t run(std::size_t row) const { return records_[row].run; }

  private:
    struct Record {
        std::uint64_t offset; // of the first cell in text_
        std::uint32_t run;
        std::array<std::uint16_t, kColumns> ends; // of each cell, from offset
    };

    std::string text_;
    std::vector<Record> records_;
};

} // namespace qrv::gui
