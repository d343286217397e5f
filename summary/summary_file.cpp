#include "summary/summary_file.h"

#include "core/text.h"

#include <cstring>

namespace qrv {

namespace {

// Lines are gathered and written in blocks of this size.
constexpr std::size_t kBufferSize = 1 << 18;

} // namespace

std::string SummaryFilePath(std::string_view mediaPath, std::string_view companyCode) {
    if (const std::optional<std::string> share = NetworkShareRoot(mediaPath))
        return *share + std::string(companyCode);
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

std::optional<MovedSummary> SummaryBesideMediaFile(std::string_view mediaPath, std::string_view companyCode,
                                                   const FileError& refusal) {
    const std::string rulePath = SummaryFilePath(mediaPath, companyCode);
    const std::string_view refused = FolderPart(rulePath);
    const std::string_view beside = FolderPart(mediaPath);
    if (!refusal.refusedNewFile() || refused == beside)
        return std::nullopt;
    const std::string folder = refused.empty() ? "the current folder" : std::string(refused);
    return MovedSummary{std::string(beside) + std::string(companyCode),
                        folder + " cannot be written; the summary is beside the media file"};
}

SummaryWriter::SummaryWriter(std::string path, std::string movedBecause)
    : file_(std::move(path), "the summary file"), buffer_(kBufferSize),
      movedBecause_(std::move(movedBecause)) {}

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

namespace {

std::unique_ptr<SummaryWriter> CreateUnlessMediaFile(const std::string& mediaPath, std::string path,
                                                     std::string movedBecause = {}) {
    if (SameExistingFile(mediaPath, path).value_or(false))
        throw FileError("create the summary file", path, "it is the input file itself");
    return std::make_unique<SummaryWriter>(std::move(path), std::move(movedBecause));
}

} // namespace

std::unique_ptr<SummaryWriter> CreateSummaryFile(const std::string& mediaPath, std::string_view companyCode) {
    try {
        return CreateUnlessMediaFile(mediaPath, SummaryFilePath(mediaPath, companyCode));
    } catch (const FileError& refusal) {
        std::optional<MovedSummary> moved = SummaryBesideMediaFile(mediaPath, companyCode, refusal);
        if (!moved)
            throw;
        return CreateUnlessMediaFile(mediaPath, std::move(moved->path), std::move(moved->because));
    }
}

} // namespace qrv
