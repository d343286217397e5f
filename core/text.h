// Small text helpers.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Space characters removed from both ends; other white space stays.
std::string_view Trim(std::string_view text);
// ASCII letters to upper case; every other byte (Thai included) unchanged.
std::string UpperCase(std::string_view text);
// The length of the UTF-8 sequence at `at` (< text.size()); 0 when the byte
// there starts no well-formed one (overlong forms, surrogates and values past
// U+10FFFF start none).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);
// The first `count` characters: code points of a text that is valid UTF-8,
// bytes of any other text.
std::string_view FirstCharacters(std::string_view text, std::size_t count);

} // namespace qrv
