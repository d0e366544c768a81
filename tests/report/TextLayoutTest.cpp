#include <gtest/gtest.h>

#include "report/ReportModel.h"
#include "report/TabLayout.h"
#include "report/TextReport.h"

namespace morvalen::report {
namespace {

// A medium whose columns widen with the font, as on paper: a column is half the point size, a byte of text as wide
// as a column.
class HalfEmMeasure : public Measure {
public:
    double columnWidth(int points) const override { return points / 2.0; }
    double textWidth(std::string_view text, int points) const override { return text.size() * points / 2.0; }
};

TEST(TerminalCells, WideCharactersTakeTwoCells) {
    for (const char32_t wide : {U'中', U'：', U'１', U'\u3000', U'한', U'\U00020000'}) EXPECT_EQ(terminalCells(wide), 2);
    for (const char32_t narrow : {U'A', U'é', U'°', U'ｱ'}) EXPECT_EQ(terminalCells(narrow), 1);
    EXPECT_EQ(terminalCells(U'\u0301'), 0);  // combining acute accent

    EXPECT_EQ(terminalWidth("   最弱边相对中误差 :    1/m= 1/"), 32);
    EXPECT_EQ(terminalWidth("a\xFF\xE4\xB8"), 4);  // a stray byte and each byte of a cut sequence: one cell
}

TEST(TabLayout, TabStopMovesToItsColumnOrToTheNextRow) {
    const std::vector<Line> lines = {
        {TabStop{5}, Text{"abc"}, TabStop{8}, Text{"d"}},  // ends at column 5 + 3 = 8: already on the tab column
        {TabStop{5}, Text{"abcd"}, TabStop{8}, Text{"e"}},  // ends at column 9: past it, so column 8 of the next row
        {Text{"x"}, TabStop{1}, Text{"y"}},                 // past column 1 at once
        {},
        {TabStop{3}, Text{""}},  // a tab and an empty text: an empty row
    };
    const std::vector<Row> rows = layOut(lines, HalfEmMeasure(), bodyPoints);
    const std::vector<Row> expected = {
        {10, {{20, 10, "abc"}, {35, 10, "d"}}},
        {10, {{20, 10, "abcd"}}},
        {10, {{35, 10, "e"}}},
        {10, {{0, 10, "x"}}},
        {10, {{0, 10, "y"}}},
        {10, {}},
        {10, {}},
    };
    EXPECT_EQ(rows, expected);
}

TEST(TabLayout, ColumnsFollowTheFontSizeInForce) {
    const std::vector<Line> lines = {
        {FontSize{12}, TabStop{26}, Text{"title"}},
        {FontSize{10}, TabStop{26}, Text{"body"}},
        {FontSize{10}},
    };
    const std::vector<Row> rows = layOut(lines, HalfEmMeasure());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{12, {{25 * 6.0, 12, "title"}}}));
    EXPECT_EQ(rows[1], (Row{10, {{25 * 5.0, 10, "body"}}}));
    EXPECT_EQ(rows[2], (Row{10, {}}));
    // Without a size the layout starts in the heading size.
    EXPECT_EQ(layOut({{TabStop{2}, Text{"a"}}}, HalfEmMeasure())[0], (Row{12, {{6.0, 12, "a"}}}));
}

// The report line of a station: its name at column 24, the x label at column 30.
Line stationLine(const std::string& name) {
    return {TabStop{24}, Text{name + " :"}, TabStop{30}, Text{"x("}, Text{" 1 "}, Text{")="}, Text{" 1.000"},
            TabStop{53}, Text{"y("}, Text{" 1 "}, Text{")="}, Text{" 2.000"}};
}

TEST(TextReport, WideStationNamePushesTheRestOfItsLineToTheNextRow) {
    const std::string pad23(23, ' ');
    const std::string pad29(29, ' ');
    const std::string restOfLine = "x( 1 )= 1.000" + std::string(10, ' ') + "y( 1 )= 2.000\n";

    // "P1 :" leaves the position at column 28, before the x column.
    EXPECT_EQ(renderText({stationLine("P1")}), pad23 + "P1 :  " + restOfLine);
    // Two Chinese characters and " :" take six cells and end exactly on column 30.
    EXPECT_EQ(renderText({stationLine("北山")}), pad23 + "北山 :" + restOfLine);
    // Three take eight cells: the x label moves to column 30 of the next row.
    EXPECT_EQ(renderText({stationLine("北山顶")}), pad23 + "北山顶 :\n" + pad29 + restOfLine);
    // A tab stop with nothing behind it leaves no trailing blanks.
    EXPECT_EQ(renderText({{TabStop{24}, Text{""}}, {}}), "\n\n");
}

}  // namespace
}  // namespace morvalen::report
