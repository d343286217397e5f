#include "cli/row_spool.h"

#include "files/file_error.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace qrv::cli {

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

// The spooled bytes from the start: the file's, then the block in memory.
class SpoolReader {
  public:
    SpoolReader(const FileDescriptor& file, std::string_view block, const FileUse& use)
        : file_(file), block_(block), use_(use), buffer_(file.isOpen() ? kBlockSize : 0) {
        if (file_.isOpen())
            Rewind(file_.get(), use_);
    }

    std::size_t length() {
        std::size_t length = 0;
        for (int shift = 0;; shift += 7) {
            char byte = 0;
            if (shift > 56)
                endsEarly();
            take(&byte, 1);
            length |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return length;
        }
    }

    void take(char* into, std::size_t size) {
        while (size > 0) {
            if (pending_.empty())
                refill();
            const std::size_t step = std::min(size, pending_.size());
            std::copy_n(pending_.data(), step, into);
            pending_.remove_prefix(step);
            into += step;
            size -= step;
        }
    }

  private:
    void refill() {
        while (pending_.empty()) {
            if (!fileRead_) {
                const std::size_t got = ReadUpTo(file_.get(), buffer_.data(), buffer_.size(), use_);
                pending_ = std::string_view(buffer_.data(), got);
                fileRead_ = got < buffer_.size();
            } else if (!blockRead_) {
                pending_ = block_;
                blockRead_ = true;
            } else {
                endsEarly();
            }
        }
    }

    [[noreturn]] void endsEarly() const {
        throw FileError(std::string(use_.action), std::string(use_.path), "it ends early");
    }

    const FileDescriptor& file_;
    std::string_view block_;
    FileUse use_;
    std::vector<char> buffer_;
    std::string_view pending_;
    bool fileRead_ = !file_.isOpen();
    bool blockRead_ = false;
};

} // namespace

RowSpool::RowSpool() : folder_(TemporaryFolder()) {}

void RowSpool::insert(std::int64_t position, ErrorRow row) {
    if (position != size_ + 1)
        throw std::out_of_range("rows are only added at the end, not at " + std::to_string(position));
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
    WriteAll(file_.get(), block_, use);
    block_.clear();
}

void RowSpool::clear() {
    file_ = FileDescriptor();
    block_.clear();
    size_ = 0;
}

void RowSpool::forEach(const std::function<void(const ErrorRow&)>& visit) const {
    readFailure_.reset();
    try {
        SpoolReader reader(file_, block_, {kRead, folder_});
        ErrorRow row;
        for (std::int64_t at = 0; at < size_; ++at) {
            for (std::string& cell : row) {
                cell.resize(reader.length());
                reader.take(cell.data(), cell.size());
            }
            visit(row);
        }
    } catch (const FileError& e) {
        readFailure_ = e.what();
    }
}

} // namespace qrv::cli
