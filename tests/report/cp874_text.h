// Thai test texts as code page 874 bytes (the Thai block maps one to one
// onto 0xA1..0xFB).
#pragma once

#include <string>
#include <string_view>

namespace qrv::test {

inline std::string ToCp874(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text)
        bytes += c >= 0x0E01 && c <= 0x0E5B ? static_cast<char>(c - 0x0E01 + 0xA1) : static_cast<char>(c);
    return bytes;
}

// A 100 M control line: company 012345, the given 30-byte name, apply code C,
// status A, effective date 311206, 3 records, total amount 1,234.56.
inline std::string ControlLine100M(std::string_view name30) {
    return std::string(8, ' ') + "M" + "012345" + std::string(name30) + "CA" + "311206" + "00003" +
           "00000123456" + "T" + std::string(8, ' ');
}

// "บริษัท ทดสอบ จำกัด" padded to the 30 bytes of the name field.
inline std::string ThaiCompanyName() {
    std::string name = ToCp874(u"บริษัท ทดสอบ จำกัด");
    name.resize(30, ' ');
    return name;
}

} // namespace qrv::test
