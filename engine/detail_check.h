// Checks of one detail record.
#pragma once

#include "engine/fields.h"

#include <string_view>

namespace qrv {

// Whether the last character of a ten-digit account is its check digit
// (weights 4 3 2 7 6 5 4 3 2, modulus 10). A last character that is not a
// digit answers false; a non-digit among the first nine throws ConversionError.
bool CheckAccountDigit(std::string_view account);

// The first reason why a detail record is rejected, or "" when it is accepted.
// Reads detail fields 0-3 and control fields 4 (apply code) and 6 (effective
// date). A sign that is not a number throws ConversionError, tagged "Sign".
std::string_view CheckDetailRecord(const Fields& detailFields, const Fields& controlFields);

} // namespace qrv
