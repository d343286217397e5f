#include "ui/row_store.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace qrv::gui {

void RejectedRows::append(const ErrorRow& row) {
    Record record{text_.size(), 0, {}};
    std::size_t end = 0;
    for (std::size_t column = 0; column < kColumns; ++column) {
        end += row[column].size();
        // One field of a detail record each, and a reason: far below this.
        if (end > std::numeric_limits<std::uint16_t>::max())
            throw std::length_error("a rejected record's cells are too long to list");
        record.ends[column] = static_cast<std::uint16_t>(end);
    }
    for (const std::string& cell : row)
        text_ += cell;
    records_.push_back(record);
}

void RejectedRows::insert(std::size_t at, RejectedRows&& block, std::uint32_t run) {
    const std::uint64_t shift = text_.size();
    text_ += block.text_;
    for (Record& record : block.records_) {
        record.offset += shift;
        record.run = run;
    }
    const auto where = records_.begin() + static_cast<std::ptrdiff_t>(std::min(at, records_.size()));
    records_.insert(where, block.records_.begin(), block.records_.end());
    block = RejectedRows();
}

void RejectedRows::keepRun(std::uint32_t run) {
    RejectedRows kept;
    for (const Record& record : records_) {
        if (record.run != run)
            continue;
        const std::size_t length = record.ends.back();
        kept.records_.push_back({kept.text_.size(), run, record.ends});
        kept.text_.append(text_, record.offset, length);
    }
    *this = std::move(kept);
}

std::string_view RejectedRows::cell(std::size_t row, std::size_t column) const {
    const Record& record = records_[row];
    const std::size_t begin = column == 0 ? 0 : record.ends[column - 1];
    return std::string_view(text_).substr(record.offset + begin, record.ends[column] - begin);
}

} // namespace qrv::gui
