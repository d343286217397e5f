#include "report/letter_file.h"

#include "core/file_error.h"
#include "core/files.h"
#include "report/letter.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qrv {

namespace {

constexpr std::string_view kWrite = "write the letter file";
constexpr std::string_view kRead = "read the letter file";

} // namespace

void WriteLetterFile(const std::string& path, std::string_view bytes) {
    FileDescriptor file = OpenFile({kWrite, path}, O_WRONLY | O_CREAT | O_TRUNC, 0600, Links::Refuse);
    WriteAll(file.get(), bytes, {kWrite, path});
    file.close({kWrite, path});
}

void WriteLetterForSummary(const std::string& path, const std::string& summaryPath,
                           std::string_view hashValue, Format format, std::chrono::year_month_day today) {
    WriteLetterFile(path, LetterForSummary(summaryPath, hashValue, format, today));
}

void SaveLetterAs(const std::string& path, std::string_view bytes) {
    SaveFile(path, bytes, "the letter");
}

std::string ReadLetterFile(const std::string& path) {
    const FileDescriptor file = OpenRegularFile({kRead, path}, Links::Refuse);
    return ReadAll(file.get(), {kRead, path});
}

void RemoveLetterFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        FileError::FromErrno("delete the letter file", path);
}

} // namespace qrv
