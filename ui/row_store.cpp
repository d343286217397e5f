#include "ui/row_store.h"

#include <algorithm>

namespace qrv::gui {

namespace {
// The spool of every RejectedRows alive; it goes with the last of them.
std::shared_ptr<RowSpool> SharedSpool() {
    static std::weak_ptr<RowSpool> shared;
    std::shared_ptr<RowSpool> spool = shared.lock();
    if (!spool) {
        spool = std::make_shared<RowSpool>();
        shared = spool;
    }
    return spool;
}
} // namespace

void RejectedRows::add(std::uint64_t storedFirst, std::uint64_t count, std::uint32_t run) {
    if (count == 0)
        return;
    if (!stretches_.empty()) {
        Stretch& last = stretches_.back();
        if (last.run == run && last.storedFirst + last.count == storedFirst) {
            last.count += count;
            return;
        }
    }
    stretches_.push_back({size(), storedFirst, count, run});
}

void RejectedRows::append(const ErrorRow& row) {
    if (!spool_)
        spool_ = SharedSpool();
    const auto stored = static_cast<std::uint64_t>(spool_->size());
    spool_->append(row);
    add(stored, 1, 0);
}

void RejectedRows::insert(std::size_t at, RejectedRows&& block, std::uint32_t run) {
    if (!spool_)
        spool_ = block.spool_;
    at = std::min(at, size());
    const std::vector<Stretch> before = std::move(stretches_);
    stretches_.clear();
    bool blockAdded = false;
    const auto addBlock = [&] {
        for (const Stretch& moved : block.stretches_)
            add(moved.storedFirst, moved.count, run);
        blockAdded = true;
    };
    for (const Stretch& stretch : before) {
        const std::uint64_t ahead =
            at > stretch.shownFirst ? std::min(at - stretch.shownFirst, stretch.count) : 0;
        add(stretch.storedFirst, ahead, stretch.run);
        if (!blockAdded && ahead < stretch.count)
            addBlock();
        add(stretch.storedFirst + ahead, stretch.count - ahead, stretch.run);
    }
    if (!blockAdded)
        addBlock();
    block = RejectedRows();
}

void RejectedRows::keepRun(std::uint32_t run) {
    const std::vector<Stretch> before = std::move(stretches_);
    stretches_.clear();
    for (const Stretch& stretch : before)
        if (stretch.run == run)
            add(stretch.storedFirst, stretch.count, run);
    if (stretches_.empty())
        spool_.reset();
}

bool RejectedRows::mixesRuns() const {
    return std::any_of(stretches_.begin(), stretches_.end(),
                       [this](const Stretch& s) { return s.run != stretches_.front().run; });
}

const RejectedRows::Stretch& RejectedRows::stretchOf(std::size_t row) const {
    const auto after = std::upper_bound(stretches_.begin(), stretches_.end(), row,
                                        [](std::size_t at, const Stretch& s) { return at < s.shownFirst; });
    return *(after - 1);
}

const ErrorRow& RejectedRows::cells(std::size_t row) const {
    const Stretch& stretch = stretchOf(row);
    return spool_->row(static_cast<std::int64_t>(stretch.storedFirst + (row - stretch.shownFirst)));
}

std::string_view RejectedRows::cell(std::size_t row, std::size_t column) const {
    return cells(row)[column];
}

} // namespace qrv::gui
