#include "tests/runs/media_builder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qrv::test {

namespace {

struct Widths {
    std::size_t filler, totalAmount, detailAmount, detailSpare;
};

Widths WidthsOf(Format format) {
    return format == Format::M100 ? Widths{8, 11, 11, 50} : Widths{9, 10, 9, 52};
}

std::string Fit(const std::string& text, std::size_t width) {
    std::string fitted = text.substr(0, width);
    fitted.resize(width, ' ');
    return fitted;
}

std::string Digits(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() > width)
        throw std::invalid_argument(text + " does not fit " + std::to_string(width) + " digits");
    return std::string(width - text.size(), '0') + text;
}

std::string ZerosIfEmpty(const std::string& text, std::size_t width) {
    return text.empty() ? std::string(width, '0') : text;
}

} // namespace

std::string ControlLine(Format format, const Control& c) {
    const Widths w = WidthsOf(format);
    return Fit(c.filler, w.filler) + Fit(c.termPayment, 1) + Fit(c.companyCode, 6) + Fit(c.companyName, 30) +
           Fit(c.applyCode, 1) + Fit(c.status, 1) + Fit(c.effectiveDate, 6) + Fit(c.totalRecord, 5) +
           Fit(ZerosIfEmpty(c.totalAmount, w.totalAmount), w.totalAmount) + Fit(c.mediaType, 1) +
           Fit(c.spare, 8);
}

std::string DetailLine(Format format, const Detail& d) {
    const Widths w = WidthsOf(format);
    return Fit(d.account, 10) + Fit(d.effectiveDate, 6) + Fit(d.sign, 1) +
           Fit(ZerosIfEmpty(d.amount, w.detailAmount), w.detailAmount) + Fit(d.spare, w.detailSpare);
}

std::string DetailAmount(Format format, std::int64_t satang) {
    return Digits(satang, WidthsOf(format).detailAmount);
}

std::string ControlAmount(Format format, std::int64_t satang) {
    return Digits(satang, WidthsOf(format).totalAmount);
}

std::string RecordCount(int count) {
    return Digits(count, 5);
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& terminator) {
    std::string joined;
    for (const std::string& line : lines)
        joined += line + terminator;
    return joined;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qrv-runs-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    WriteBytes(file, bytes);
    return file.string();
}

std::vector<std::string> TempDir::names() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        found.push_back(entry.path().filename().string());
    std::ranges::sort(found);
    return found;
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

} // namespace qrv::test
