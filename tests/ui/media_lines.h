// Media file lines for the desktop program's tests and benchmark: well-formed
// control and detail records of both formats, with the fields that matter
// to a test given and the rest filled with valid values.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <string>
#include <vector>

namespace qrv::testing {

enum class Format { F10M, F100M };

// "บริษัท" in code page 874.
inline const std::string kThaiCompany = "\xba\xc3\xd4\xc9\xd1\xb7";
inline const std::string kEffectiveDate = "150124";

struct ControlFields {
    std::string termPayment = "M";
    std::string companyCode = "012345";
    std::string companyName = kThaiCompany;
    std::string applyCode = "C";
    std::string status = "A";
    std::string totalRecord = "00000";
    std::string totalAmount; // digits, two implied decimals; zeros when empty
};

inline std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

inline std::string Digits(long long value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width - text.size(), '0') + text;
}

inline std::string ControlLine(Format format, const ControlFields& f) {
    const bool f10 = format == Format::F10M;
    const std::size_t amountWidth = f10 ? 10 : 11;
    const std::string amount = f.totalAmount.empty() ? std::string(amountWidth, '0') : f.totalAmount;
    return std::string(f10 ? 9 : 8, ' ') + f.termPayment + f.companyCode + Padded(f.companyName, 30) +
           f.applyCode + f.status + kEffectiveDate + f.totalRecord + amount + "1" + std::string(8, ' ');
}

inline std::string DetailLine(Format format, const std::string& account, long long cents,
                              const std::string& sign = "1") {
    const bool f10 = format == Format::F10M;
    return account + kEffectiveDate + sign + Digits(cents, f10 ? 9 : 11) + std::string(f10 ? 52 : 50, ' ');
}

inline bool WriteMedia(const QString& path, const std::vector<std::string>& lines) {
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(line) + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace qrv::testing
