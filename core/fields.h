// Field layouts, and the fields that SplitRecord cuts from a line.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace qrv {

struct FieldSpan {
    unsigned char start;  // position of the first character, counted from 1
    unsigned char length; // in characters (bytes)
};

using FieldLayout = std::span<const FieldSpan>;

// The texts cut from one line, numbered from 0. They are views into the line
// that was split: keep that line alive as long as its fields are used. Held
// as offsets into the line, so that splitting a line costs a few bytes.
class Fields {
  public:
    static constexpr std::size_t kMaxCount = 11;

    Fields() = default;
    explicit Fields(std::string_view line) : line_(line.data()) {}

    std::string_view operator[](std::size_t i) const { return {line_ + cuts_[i].offset, cuts_[i].length}; }
    std::size_t size() const { return count_; }
    // The next field: `length` characters from `offset` (counted from 0) of the line.
    void push_back(std::size_t offset, std::size_t length) {
        cuts_[count_++] = Cut{static_cast<unsigned char>(offset), static_cast<unsigned char>(length)};
    }

  private:
    struct Cut {
        unsigned char offset;
        unsigned char length;
    };

    const char* line_ = nullptr;
    std::array<Cut, kMaxCount> cuts_{};
    std::size_t count_ = 0;
};

// Field numbers of the control record, the same in both formats.
namespace control {
enum : std::size_t {
    Filler,
    TermPayment,
    CompanyCode,
    CompanyName,
    ApplyCode,
    Status,
    EffectiveDate,
    TotalRecord,
    TotalAmount,
    MediaType,
    Spare,
    Count
};
}

// Field numbers of the detail record, the same in both formats.
namespace detail {
enum : std::size_t { AccountNo, EffectiveDate, Sign, Amount, Spare, Count };
}

// Cuts `line` by `layout`: never trims, never fails. A field the line ends
// inside is shorter, one it ends before is empty; bytes past the layout's
// last field belong to no field. The layout has at most Fields::kMaxCount entries.
Fields SplitRecord(std::string_view line, FieldLayout layout);

} // namespace qrv
