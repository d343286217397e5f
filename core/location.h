// Where a check found a fault in a line, and what it wanted there: what a
// clerk forwards to whoever made the media file.
#pragma once

#include "core/fields.h"

#include <string>
#include <string_view>

namespace qrv {

struct Location {
    std::string_view field; // as the layouts name it: "AccountNo", "TotalAmount", ...
    int first = 0;          // columns in the line as read, counted from 1
    int last = 0;
    std::string found{};    // the field's bytes as cut (code page 874)
    std::string expected{}; // UTF-8, a short statement: "ten digits"
    std::string hint{};     // UTF-8, one sentence
    bool operator==(const Location&) const = default;
};

// The layouts' names of the fields, by field number.
inline constexpr std::string_view kControlFieldNames[control::Count] = {
    "Filler",        "TermPayment", "CompanyCode", "CompanyName", "ApplyCode", "Status",
    "EffectiveDate", "TotalRecord", "TotalAmount", "MediaType",   "Spare"};
inline constexpr std::string_view kDetailFieldNames[detail::Count] = {"AccountNo", "EffectiveDate", "Sign",
                                                                      "Amount", "Spare"};

// Between the first and the last of a range, in UTF-8.
inline constexpr std::string_view kEnDash = "\xE2\x80\x93";

// "12–21": the columns, first and last, joined by an en dash.
std::string ColumnRange(const Location& where);

// `columns 12–21 AccountNo "123456789X": ten digits`, with the found text
// as the caller shows it (decoded, escaped).
std::string LocationLine(const Location& where, std::string_view shownFound);

// A hint that names the columns and the field and says what they must hold.
std::string MustHoldHint(const Location& where, std::string_view place);

// Field `index` of `fields`, cut from a line by `layout`, named from `names`:
// its columns are those the cut holds, or the layout's when the line ends
// before the field.
Location LocateField(const Fields& fields, FieldLayout layout, std::span<const std::string_view> names,
                     std::size_t index);

} // namespace qrv
