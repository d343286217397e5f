// The hash total over accepted detail records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

inline constexpr std::int32_t kHashModulus = 1000000;

// S1 x S2: the account's ten digits weighted 10..1, times the first eleven
// digits of the amount right-aligned in twelve zeros, weighted 12..2. A
// character that is not a digit throws ConversionError, tagged with its
// field ("AccountNo" or "Amount"); the amount's last character is never read.
std::int32_t HashRecord(std::string_view account, std::string_view amount);
// HashRecord of a ten-digit account and an amount of up to twelve plain
// digits, which cannot fail.
std::int32_t PlainHashRecord(std::string_view account, std::string_view amount);

// (total + record) modulo 1000000.
std::int32_t AddToHashTotal(std::int32_t total, std::int32_t record);

} // namespace qrv
