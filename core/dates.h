#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

// Whether a DDMMYY text names a calendar day of 2000-2099. The pieces are the
// first two characters, characters 3-4 and the last two; each is read as a
// number (blanks around digits allowed). A piece that is reached and is not a
// number throws ConversionError: the full year "20"+year first, then the month,
// then the day and the year piece (a month outside 1-12 answers false before
// the day is read).
bool CheckDate(std::string_view date);

// The day a DDMMYY text names, as ISO 8601 ("2024-01-15"), in the century
// CheckDate assumes; nothing when CheckDate would not take it as a day.
std::optional<std::string> IsoDate(std::string_view date);

} // namespace qrv
