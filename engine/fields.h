// Field layouts and the fields that SplitRecord cuts from a line.
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
// that was split: keep that line alive as long as its fields are used.
class Fields {
  public:
    static constexpr std::size_t kMaxCount = 11;

    std::string_view operator[](std::size_t i) const { return items_[i]; }
    std::size_t size() const { return count_; }
    void push_back(std::string_view text) { items_[count_++] = text; }

  private:
    std::array<std::string_view, kMaxCount> items_{};
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

} // namespace qrv
