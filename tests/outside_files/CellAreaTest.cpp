// Cell references and areas read from a template's names: whole columns and rows, the sheet's bounds, and
// numbers that would overflow.
#include "library/OdfTemplate.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TCellArea area(const QString &first, const QString &last, bool *ok = nullptr)
{
    TCellArea a;
    a.Row = a.Column = a.Rows = a.Columns = -7;
    const bool parsed = ParseCellArea(first, last, a);
    if (ok)
        *ok = parsed;
    return a;
}

bool refused(const QString &first, const QString &last)
{
    bool ok = true;
    area(first, last, &ok);
    return !ok;
}

TEST(CellArea, CornersWholeColumnsAndWholeRows)
{
    TCellArea a = area("$B$3", "$D$12");
    EXPECT_EQ(std::tie(a.Row, a.Column, a.Rows, a.Columns), std::tuple(2, 1, 10, 3));
    a = area("c7", "");
    EXPECT_EQ(std::tie(a.Row, a.Column, a.Rows, a.Columns), std::tuple(6, 2, 1, 1));
    a = area("$A", "$A");
    EXPECT_EQ(std::tie(a.Row, a.Column, a.Rows, a.Columns), std::tuple(0, 0, MaxSheetRows, 1));
    a = area("B", "D");
    EXPECT_EQ(std::tie(a.Row, a.Column, a.Rows, a.Columns), std::tuple(0, 1, MaxSheetRows, 3));
    a = area("$2", "$4");
    EXPECT_EQ(std::tie(a.Row, a.Column, a.Rows, a.Columns), std::tuple(1, 0, 3, MaxSheetColumns));
    a = area("A", "XFD");
    EXPECT_EQ(a.Cells(), qint64(MaxSheetRows) * MaxSheetColumns) << "more than an int holds";
    a = area("XFD1048576", "");
    EXPECT_EQ(std::tie(a.Row, a.Column), std::tuple(MaxSheetRows - 1, MaxSheetColumns - 1));
}

TEST(CellArea, BeyondTheSheetMixedOrReversedIsRefused)
{
    EXPECT_TRUE(refused("XFE1", ""));
    EXPECT_TRUE(refused("A1048577", ""));
    EXPECT_TRUE(refused("A1", "A99999999999999999999"));
    EXPECT_TRUE(refused("A1", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1"));
    EXPECT_TRUE(refused("A", "")) << "a lone column is no cell";
    EXPECT_TRUE(refused("3", ""));
    EXPECT_TRUE(refused("A", "3"));
    EXPECT_TRUE(refused("A1", "B"));
    EXPECT_TRUE(refused("A0", "A0")) << "row 0 is no row, nor a whole column";
    EXPECT_TRUE(refused("B5", "A9"));
    EXPECT_TRUE(refused("A5", "B1"));
    EXPECT_TRUE(refused("A+5", ""));
    EXPECT_TRUE(refused("A 5", ""));
    EXPECT_TRUE(refused("", ""));
    int row = 0, column = 0;
    EXPECT_TRUE(ParseCellReference("$B$12", row, column));
    EXPECT_EQ(std::tie(row, column), std::tuple(11, 1));
    EXPECT_FALSE(ParseCellReference("B", row, column));
    EXPECT_FALSE(ParseCellReference("12", row, column));
}

} // namespace
