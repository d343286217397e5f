// What the table of the two formats must satisfy, rather than the table again.
#include "runs/format.h"

#include <gtest/gtest.h>

using namespace qrv;

namespace {

// The spans run on without gap or overlap from column 1 to column 78.
void ExpectContiguousTo78(FieldLayout layout, std::size_t fields) {
    ASSERT_EQ(layout.size(), fields);
    unsigned next = 1;
    for (const FieldSpan& span : layout) {
        EXPECT_EQ(span.start, next);
        next = span.start + span.length;
    }
    EXPECT_EQ(next, 79u);
}

TEST(FormatTable, LayoutsCoverColumns1To78Once) {
    for (const Format format : kFormats) {
        SCOPED_TRACE(FormatName(format));
        ExpectContiguousTo78(FormatTable(format).controlLayout, control::Count);
        ExpectContiguousTo78(FormatTable(format).detailLayout, detail::Count);
    }
}

// The two control layouts differ only in the filler's length and the total
// amount's; the detail layouts only in the amount's.
TEST(FormatTable, LayoutsDifferOnlyWhereTheFormatsDo) {
    const FieldLayout control100 = FormatTable(Format::M100).controlLayout;
    const FieldLayout control10 = FormatTable(Format::M10).controlLayout;
    EXPECT_EQ(control10[control::Filler].length, control100[control::Filler].length + 1);
    EXPECT_EQ(control10[control::TotalAmount].length + 1, control100[control::TotalAmount].length);
    for (std::size_t field = control::TermPayment; field < control::TotalAmount; ++field)
        EXPECT_EQ(control10[field].length, control100[field].length) << field;
    const FieldLayout detail100 = FormatTable(Format::M100).detailLayout;
    const FieldLayout detail10 = FormatTable(Format::M10).detailLayout;
    EXPECT_EQ(detail100[detail::Amount].length, 11);
    EXPECT_EQ(detail10[detail::Amount].length, 9);
    for (const Format format : kFormats) {
        const RunFormat& table = FormatTable(format);
        EXPECT_EQ(table.detailLayout[detail::Amount].length, table.detailWholeLength + 2);
        EXPECT_EQ(table.controlLayout[control::TotalAmount].length, table.controlWholeLength + 2);
        EXPECT_EQ(table.columns.size(), 6u);
    }
}

TEST(FormatTable, NamesGoBothWays) {
    for (const Format format : kFormats) {
        EXPECT_EQ(FormatFromName(FormatName(format)), format);
        EXPECT_NE(FormatCaption(format).find(FormatName(format).substr(0, FormatName(format).size() - 1)),
                  std::string_view::npos);
    }
    EXPECT_EQ(FormatFromName("100m"), Format::M100);
    EXPECT_EQ(FormatFromName("1000M"), std::nullopt);
}

} // namespace
