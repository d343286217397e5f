#include "summary/summary_file.h"

#include "core/text.h"

#include <cstring>

namespace qrv {

namespace {

// Lines are gathered and written in blocks of this size.
constexpr std::size_t kBufferSize = 1 << 18;

} // namespace

std::string SummaryFilePath(std::string_view mediaPath, std::string_view companyCode) {
    if (mediaPath.starts_with('/')) {
        const std::size_t slash = mediaPath.rfind('/');
        return std::string(mediaPath.substr(0, slash + 1)) + std::string(companyCode);
    }
    return std::string(Trim(FirstCharacters(mediaPath, 3))) + std::string(companyCode);
}

SummaryPathParts SplitSummaryPath(std::string_view path, std::string_view companyCode) {
    if (companyCode.empty() || !path.ends_with(companyCode))
        return {path, {}};
    return {path.substr(0, path.size() - companyCode.size()), companyCode};
}

SummaryWriter::SummaryWriter(std::string path)
    : file_(std::move(path), "the summary file"), buffer_(kBufferSize) {}

void SummaryWriter::writeLine(std::string_view line) {
    const std::size_t size = line.size() + 2;
    if (buffer_.size() - used_ < size) {
        flush();
        if (buffer_.size() < size)
            buffer_.resize(size);
    }
    char* at = buffer_.data() + used_;
    std::memcpy(at, line.data(), line.size());
    at[line.size()] = '\r';
    at[line.size() + 1] = '\n';
    used_ += size;
}

void SummaryWriter::flush() {
    file_.write(std::string_view(buffer_.data(), used_));
    used_ = 0;
}

void SummaryWriter::commit() {
    flush();
    file_.commit();
}

} // namespace qrv
