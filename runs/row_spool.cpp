#include "runs/row_spool.h"

#include "files/file_error.h"

#include <algorithm>
#include <stdexcept>

namespace qrv {

namespace {

// Rows are written out in blocks of about this size.
constexpr std::size_t kBlockSize = 1 << 16;

constexpr std::string_view kWrite = "write the temporary file of rejected rows in";
constexpr std::string_view kRead = "read the temporary file of rejected rows in";

// Each cell is its length, seven bits a byte with the high bit saying more
// follow, and then its bytes.
void PutLength(std::size_t length, std::string& into) {
    while (length >= 0x80) {
        into += static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    into += static_cast<char>(length);
}

// The cells of encoded rows, one after the other.
class CellReader {
  public:
    CellReader(std::string_view bytes, const FileUse& use) : bytes_(bytes), use_(use) {}

    void take(std::string& cell) {
        std::size_t length = 0;
        for (int shift = 0;; shift += 7) {
            if (shift > 56 || bytes_.empty())
                endsEarly();
            const auto byte = static_cast<unsigned char>(bytes_.front());
            bytes_.remove_prefix(1);
            length |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                break;
        }
        if (length > bytes_.size())
            endsEarly();
        cell.assign(bytes_.substr(0, length));
        bytes_.remove_prefix(length);
    }

  private:
    [[noreturn]] void endsEarly() const {
        throw FileError(std::string(use_.action), std::string(use_.path), "it ends early");
    }

    std::string_view bytes_;
    FileUse use_;
};

} // namespace

RowSpool::RowSpool() : folder_(TemporaryFolder()) {}

void RowSpool::insert(std::int64_t position, ErrorRow row) {
    if (position != size_ + 1)
        throw std::out_of_range("rows are only added at the end, not at " + std::to_string(position));
    append(row);
}

void RowSpool::append(const ErrorRow& row) {
    if (size_ % kGroupRows == 0)
        groupStarts_.push_back(written_ + block_.size());
    for (const std::string& cell : row) {
        PutLength(cell.size(), block_);
        block_ += cell;
    }
    ++size_;
    if (block_.size() >= kBlockSize)
        writeOut();
}

void RowSpool::writeOut() {
    const FileUse use{kWrite, folder_};
    if (!file_.isOpen())
        file_ = OpenUnnamedFile(folder_, use);
    try {
        WriteAll(file_.get(), block_, use);
    } catch (const FileError&) {
        // Part of the block may be in the file: nothing reads it, and the
        // block goes after it when it is written again.
        const std::uint64_t end = FileSize(file_.get(), use);
        for (std::uint64_t& start : groupStarts_)
            if (start >= written_)
                start += end - written_;
        written_ = end;
        throw;
    }
    written_ += block_.size();
    block_.clear();
}

void RowSpool::clear() {
    file_ = FileDescriptor();
    written_ = 0;
    block_.clear();
    size_ = 0;
    groupStarts_.clear();
    groups_ = {};
}

void RowSpool::read(std::uint64_t begin, std::uint64_t end, std::string& into) const {
    into.clear();
    if (begin < written_) {
        const FileUse use{kRead, folder_};
        into.resize(static_cast<std::size_t>(std::min(end, written_) - begin));
        SeekTo(file_.get(), begin, use);
        if (ReadUpTo(file_.get(), into.data(), into.size(), use) != into.size())
            throw FileError(std::string(kRead), folder_, "it ends early");
    }
    if (end > written_) {
        const std::uint64_t from = std::max(begin, written_) - written_;
        into.append(block_, static_cast<std::size_t>(from), static_cast<std::size_t>(end - written_ - from));
    }
}

const RowSpool::Group& RowSpool::group(std::int64_t index) const {
    const std::int64_t first = index - index % kGroupRows;
    // A group read while rows were still being added to it may lack the row.
    for (const Group& kept : groups_)
        if (kept.first == first && index - first < static_cast<std::int64_t>(kept.rows.size()))
            return kept;
    const auto number = static_cast<std::size_t>(first / kGroupRows);
    const std::uint64_t end =
        number + 1 < groupStarts_.size() ? groupStarts_[number + 1] : written_ + block_.size();
    Group& loaded = groups_[nextGroup_];
    nextGroup_ = (nextGroup_ + 1) % groups_.size();
    loaded.first = -1;
    std::string bytes;
    read(groupStarts_[number], end, bytes);
    CellReader cells(bytes, {kRead, folder_});
    loaded.rows.resize(static_cast<std::size_t>(std::min(kGroupRows, size_ - first)));
    for (ErrorRow& row : loaded.rows)
        for (std::string& cell : row)
            cells.take(cell);
    loaded.first = first;
    return loaded;
}

const ErrorRow& RowSpool::row(std::int64_t index) const {
    if (index < 0 || index >= size_)
        throw std::out_of_range("no row " + std::to_string(index) + " among " + std::to_string(size_));
    const Group& kept = group(index);
    return kept.rows[static_cast<std::size_t>(index - kept.first)];
}

void RowSpool::forEach(const std::function<void(const ErrorRow&)>& visit) const {
    readFailure_.reset();
    try {
        for (std::int64_t at = 0; at < size_; ++at)
            visit(row(at));
    } catch (const FileError& e) {
        readFailure_ = e.what();
    }
}

} // namespace qrv
