#include "cli/row_spool.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace qrv::cli {

namespace {

[[noreturn]] void Fail(std::string_view verb, std::string_view reason = std::strerror(errno)) {
    throw std::runtime_error("cannot " + std::string(verb) +
                             " the temporary file of rejected rows: " + std::string(reason));
}

[[noreturn]] void FailRead(std::FILE* file) {
    Fail("read", std::ferror(file) ? std::strerror(errno) : "it ends early");
}

// Each cell is its length, seven bits a byte with the high bit saying more
// follow, and then its bytes.
void PutLength(std::size_t length, std::FILE* file) {
    while (length >= 0x80) {
        std::putc(static_cast<int>(0x80 | (length & 0x7F)), file);
        length >>= 7;
    }
    std::putc(static_cast<int>(length), file);
}

std::size_t GetLength(std::FILE* file) {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const int byte = std::getc(file);
        if (byte == EOF || shift > 56)
            FailRead(file);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return length;
    }
}

} // namespace

RowSpool::RowSpool() : file_(std::tmpfile()) {
    if (!file_)
        Fail("create");
}

void RowSpool::insert(std::int64_t position, ErrorRow row) {
    if (position != size_ + 1)
        throw std::out_of_range("rows are only added at the end, not at " + std::to_string(position));
    for (const std::string& cell : row) {
        PutLength(cell.size(), file_.get());
        std::fwrite(cell.data(), 1, cell.size(), file_.get());
    }
    if (std::ferror(file_.get()))
        Fail("write");
    ++size_;
}

void RowSpool::clear() {
    if (std::fflush(file_.get()) != 0 || ftruncate(fileno(file_.get()), 0) != 0)
        Fail("write");
    std::rewind(file_.get());
    size_ = 0;
}

void RowSpool::forEach(const std::function<void(const ErrorRow&)>& visit) const {
    std::FILE* file = file_.get();
    if (std::fflush(file) != 0 || std::fseek(file, 0, SEEK_SET) != 0)
        Fail("read");
    ErrorRow row;
    for (std::int64_t at = 0; at < size_; ++at) {
        for (std::string& cell : row) {
            cell.resize(GetLength(file));
            if (std::fread(cell.data(), 1, cell.size(), file) != cell.size())
                FailRead(file);
        }
        visit(row);
    }
    // Already at the end, but C streams need a seek between reading and writing.
    if (std::fseek(file, 0, SEEK_END) != 0)
        Fail("read");
}

} // namespace qrv::cli
