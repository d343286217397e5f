// The control line the letter tests read: a 100 M record of company 012345
// with a Thai name, effective 31/12/06, 3 records worth 1,234.56.
#pragma once

#include "tests/support/media_lines.h"

#include <string>

namespace qrv::test {

// "บริษัท ทดสอบ จำกัด" in code page 874, padded to the 30 bytes of the name field.
inline std::string ThaiCompanyName() {
    std::string name = ToCp874(u"บริษัท ทดสอบ จำกัด");
    name.resize(30, ' ');
    return name;
}

inline std::string ThaiControlLine() {
    return ControlLine(Format::M100, {.companyName = ThaiCompanyName(),
                                      .totalRecord = "00003",
                                      .totalAmount = "00000123456",
                                      .mediaType = "T"});
}

} // namespace qrv::test
