#include "report/ReportModel.h"

#include <gtest/gtest.h>

#include "command/ComputeCommand.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::report {
namespace {

using morvalen::testing::confirmedEach;
using morvalen::testing::knownSideCoordinates;
using morvalen::testing::knownSideNames;
using morvalen::testing::workedAngles;
using morvalen::testing::operator+;

// A line written out for comparison: T30 for a tab stop, F10 for a font size, «…» around a text.
std::string spelled(const Line& line) {
    std::string out;
    for (const Item& item : line) {
        if (!out.empty()) out += ' ';
        if (const auto* tab = std::get_if<TabStop>(&item)) out += "T" + std::to_string(tab->column);
        else if (const auto* size = std::get_if<FontSize>(&item)) out += "F" + std::to_string(size->points);
        else out += "«" + std::get<Text>(item).text + "»";
    }
    return out;
}

std::vector<std::string> spelled(const std::vector<Line>& lines) {
    std::vector<std::string> out;
    for (const Line& line : lines) out.push_back(spelled(line));
    return out;
}

std::vector<std::string> slice(const std::vector<std::string>& lines, std::size_t first, std::size_t count) {
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(first);
    return {begin, begin + static_cast<std::ptrdiff_t>(count)};
}

struct Computation {
    SurveyState state;
    FieldModel fields;
    bool stopped = false;
};

Computation compute(const std::vector<std::string>& replies) {
    Computation run;
    morvalen::testing::ScriptedPrompt prompt(replies);
    try {
        runComputeCommand(run.state, prompt, run.fields);
    } catch (const RunStopped&) {
        run.stopped = true;
    }
    return run;
}

std::vector<std::string> knownSideReplies() {
    return confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles);
}

std::vector<std::string> azimuthReplies(const std::string& startSide) {
    return confirmedEach({"1000", "1000", "0", "0", "130.8625", startSide, "200.0000", "153.2505"}) +
           confirmedEach(morvalen::testing::azimuthNames) + confirmedEach(workedAngles);
}

// The worked example adjusted rigorously (all four conditions at once, iterated to convergence, independent of the
// two-group scheme) gives the seconds 11.3465, 03.8638, 02.3428, 42.4468, 40.2335, 34.9769, 52.1875 and 52.6021:
// packed without carry and rounded to tenths of a second they read as below. b(6) shows the tenths rounding up to a
// whole second (34.98″ → 35.0″).
const std::vector<std::string> workedAngleLines = {
    "T30 «b(» « 1 » «)=» « 44.13120» T50 «b(» « 1 » «)=» « 44.13113»",
    "T30 «b(» « 2 » «)=» « 44.20042» T50 «b(» « 2 » «)=» « 44.20039»",
    "T30 «b(» « 3 » «)=» « 49.18030» T50 «b(» « 3 » «)=» « 49.18023»",
    "T30 «b(» « 4 » «)=» « 42.08428» T50 «b(» « 4 » «)=» « 42.08424»",
    "T30 «b(» « 5 » «)=» « 33.10401» T50 «b(» « 5 » «)=» « 33.10402»",
    "T30 «b(» « 6 » «)=» « 55.22345» T50 «b(» « 6 » «)=» « 55.22350»",
    "T30 «b(» « 7 » «)=» « 54.03519» T50 «b(» « 7 » «)=» « 54.03522»",
    "T30 «b(» « 8 » «)=» « 37.22520» T50 «b(» « 8 » «)=» « 37.22526»",
};

// The closures of the worked example are 2.00″, −1.50″, −0.15″ and 3.00 log units.
const std::vector<std::string> workedClosureLines = {
    "",
    "T22 «第一组条件方程式闭合差 :»",
    "T24 «独立三角形条件  w(» « 1 » «)=» « 2.00 秒»",
    "T24 «独立三角形条件  w(» « 2 » «)=» « -1.50 秒»",
    "",
    "T22 «第二组条件方程式闭合差 :»",
    "T24 «重叠三角形条件  w(» « 3 » «)=» « -0.15 秒»",
    "T24 «  四边形极条件  w(» « 4 » «)=» « 3.00 单位(对数第六位)»",
};

// The coordinate and precision lines show the same figures as the window's fields of the same run.
std::vector<std::string> tableLinesFromWindow(const Computation& run) {
    const FieldModel& f = run.fields;
    std::vector<std::string> lines = {"", "T22 «平差结果 :»"};
    for (int i = 0; i <= run.state.unknownPointCount + 1; ++i) {
        const std::string index = "« " + std::to_string(i) + " »";
        lines.push_back("T24 «" + run.state.pointNames[static_cast<std::size_t>(i)] + " :» T30 «x(» " + index +
                        " «)=» «" + f.text({"Text13", i}) + "» T53 «y(» " + index + " «)=» «" + f.text({"Text14", i}) +
                        "»");
    }
    const std::string mlgs = f.text({"Text10"});
    lines.insert(lines.end(), {
        "",
        "T22 «精度评定 :»",
        "T24 «        测角中误差 : mb=» «" + f.text({"Text8"}) + "»",
        "",
        "T24 «      最弱边权倒数 : 1/Plgs=» « " + f.text({"Text9"}) + "»",
        "T24 «   最弱边对数中误差 :   mlgs=» «" + mlgs + "(对数第六位)»",
        "T24 «   最弱边相对中误差 :    1/m=" + f.text({"Text11"}) + "»",
        "T24 «»",
    });
    return lines;
}

TEST(ReportLines, KnownSideCaseOfTheWorkedExample) {
    const Computation run = compute(knownSideReplies());
    ASSERT_FALSE(run.stopped);
    ASSERT_TRUE(printingAllowed(run.state));

    std::vector<std::string> expected = {
        "F12 T26 «--- Morvalen ---»",
        "F10 T33 «(由已知边S(ab)推算)»",
        "",
        "T22 «起始点座标 :»",
        "T30 «xa=» « 1000.000» T49 «ya=» « 1000.000»",
        "T30 «xb=» « 1010.000» T49 «yb=» « 1175.000»",
        "",
        "T35 «观测角 :» T55 «平差角 :»",
    };
    expected = expected + workedAngleLines + workedClosureLines + tableLinesFromWindow(run);
    const std::vector<std::string> lines = spelled(reportLines(run.state));
    EXPECT_EQ(lines, expected);

    // Four coordinate lines, A and B with their known values.
    EXPECT_EQ(lines[26], "T24 «A :» T30 «x(» « 0 » «)=» « 1000.000» T53 «y(» « 0 » «)=» « 1000.000»");
    EXPECT_EQ(lines[29], "T24 «B :» T30 «x(» « 3 » «)=» « 1010.000» T53 «y(» « 3 » «)=» « 1175.000»");
    EXPECT_EQ(lines.size(), 38u);
}

TEST(ReportLines, AzimuthCaseWithStartSideTwo) {
    const Computation run = compute(azimuthReplies("2"));
    ASSERT_FALSE(run.stopped);
    const std::vector<std::string> lines = spelled(reportLines(run.state));
    const std::vector<std::string> upper = {
        "F12 T26 «--- Morvalen ---»",
        "F10 T33 «(由外方位及起始边S(2)推算)»",
        "",
        "T22 «起始点座标 :»",
        "T30 «xa=» « 1000.000» T49 «ya=» « 1000.000»",
        "",
        "T24 «外方位角 : Ta=» « 200.00000( 度,分,秒 )»",
        "T24 «外方位角 : Qa=» « 153.25050( 度,分,秒 )»",
        "T24 «起算边长 : S(2)=» « 130.86250»",
        "",
        "T35 «观测角 :» T55 «平差角 :»",
    };
    EXPECT_EQ(slice(lines, 0, upper.size()), upper);
    EXPECT_EQ(slice(lines, 11, 8), workedAngleLines);  // the angles do not depend on the case
    EXPECT_EQ(slice(lines, 19, 8), workedClosureLines);
    // Five coordinate lines: A, P1, P2, P3 and the return to A.
    EXPECT_EQ(slice(lines, 27, lines.size() - 27), tableLinesFromWindow(run));
    EXPECT_EQ(lines.size(), 27u + 2 + 5 + 8);
}

TEST(ReportLines, HeadingNamesTheStartSideOfTheAzimuthCase) {
    for (const std::string side : {"1", "3", "4", "5", "6"}) {
        const Computation run = compute(azimuthReplies(side));
        ASSERT_FALSE(run.stopped) << side;
        const std::vector<std::string> lines = spelled(reportLines(run.state));
        EXPECT_EQ(lines[1], "F10 T33 «(由外方位及起始边S(" + side + ")推算)»");
        EXPECT_EQ(lines[8], "T24 «起算边长 : S(" + side + ")=» « 130.86250»");
    }
}

TEST(ReportLines, StartSideOutsideOneToSixHasNoSecondHeadingLine) {
    Computation run = compute(azimuthReplies("2"));
    ASSERT_FALSE(run.stopped);
    const std::vector<std::string> withHeading = spelled(reportLines(run.state));
    for (const std::int16_t side : {0, 7, -1}) {
        run.state.startSideNumber = side;
        const std::vector<std::string> lines = spelled(reportLines(run.state));
        ASSERT_EQ(lines.size(), withHeading.size() - 1);
        EXPECT_EQ(lines[0], "F12 T26 «--- Morvalen ---»");
        EXPECT_EQ(lines[1], "F10");  // the empty line after the heading starts the 10-point body
        EXPECT_EQ(lines[4], "");     // 6a
        EXPECT_EQ(lines[7], "T24 «起算边长 : S(" + std::to_string(side) + ")=» « 130.86250»");
        EXPECT_EQ(slice(lines, 2, 5), slice(withHeading, 3, 5));
        EXPECT_EQ(slice(lines, 8, lines.size() - 8), slice(withHeading, 9, withHeading.size() - 9));
    }
}

TEST(ReportLines, MixedCaseLeavesOutTheCaseLines) {
    // A completed mixed-case run does not exist (it stops at the relative error), so printing is refused ...
    const Computation mixed = compute(confirmedEach({"1000", "1000", "1010", "0"}) + confirmedEach(knownSideNames) +
                                      confirmedEach(workedAngles));
    EXPECT_TRUE(mixed.stopped);
    EXPECT_FALSE(printingAllowed(mixed.state));

    // ... but the lines of a mixed-case state leave out the second heading line and lines 6 to 6d.
    Computation run = compute(knownSideReplies());
    const std::vector<std::string> known = spelled(reportLines(run.state));
    for (const auto& [xb, yb] : {std::pair{"1010", "0"}, std::pair{"0.000", "1175"}}) {
        run.state.xb = EntryValue::text(xb);
        run.state.yb = EntryValue::text(yb);
        const std::vector<std::string> lines = spelled(reportLines(run.state));
        ASSERT_EQ(lines.size(), known.size() - 2);
        EXPECT_EQ(lines[0], known[0]);
        EXPECT_EQ(lines[1], "F10");
        EXPECT_EQ(slice(lines, 2, 2), slice(known, 3, 2));
        EXPECT_EQ(slice(lines, 4, lines.size() - 4), slice(known, 6, known.size() - 6));
    }
}

TEST(ReportLines, EnteredValuesKeepTheirPatterns) {
    Computation run = compute(knownSideReplies());
    run.state.xa = EntryValue::text("0.25");
    run.state.ya = EntryValue::text("0.25");
    run.state.xb = EntryValue::text("-0.0005");
    run.state.yb = EntryValue::text("-12.3456");
    const std::vector<std::string> lines = spelled(reportLines(run.state));
    EXPECT_EQ(lines[4], "T30 «xa=» « 0.250» T49 «ya=» « .250»");
    // Typed values round their digits with halves away from zero.
    EXPECT_EQ(lines[5], "T30 «xb=» « -0.001» T49 «yb=» « -12.346»");

    run.state.xa = EntryValue::text("12a");  // a text that does not read as a number is printed as typed
    EXPECT_EQ(spelled(reportLines(run.state))[4], "T30 «xa=» « 12a» T49 «ya=» « .250»");
}

TEST(ReportLines, AdjustedAnglesArePackedWithoutCarry) {
    Computation run = compute(knownSideReplies());
    run.state.adjustedAngles[1] = EntryValue::number(45.5041666667);  // 45° 30′ 15.0″
    run.state.adjustedAngles[2] = EntryValue::number(30.99999999);    // 30° 59′ 59.99996″: 60 seconds, no carry
    run.state.adjustedAngles[3] = EntryValue::number(7.0008333333);   // 7° 00′ 03″: leading zeros of the minutes
    const std::vector<std::string> lines = spelled(reportLines(run.state));
    EXPECT_EQ(lines[8], "T30 «b(» « 1 » «)=» « 44.13120» T50 «b(» « 1 » «)=» « 45.30150»");
    EXPECT_EQ(lines[9], "T30 «b(» « 2 » «)=» « 44.20042» T50 «b(» « 2 » «)=» « 30.59600»");
    EXPECT_EQ(lines[10], "T30 «b(» « 3 » «)=» « 49.18030» T50 «b(» « 3 » «)=» « 7.00030»");
    // The packing works on copies: the state keeps its decimal degrees.
    EXPECT_EQ(run.state.adjustedAngles[1], EntryValue::number(45.5041666667));
}

TEST(ReportLines, ResultsRoundHalfToEven) {
    Computation run = compute(knownSideReplies());
    auto closureText = [&](float w1) {
        run.state.closures[1] = w1;
        return spelled(reportLines(run.state))[18];
    };
    EXPECT_EQ(closureText(0.125f), "T24 «独立三角形条件  w(» « 1 » «)=» « 0.12 秒»");
    EXPECT_EQ(closureText(0.375f), "T24 «独立三角形条件  w(» « 1 » «)=» « 0.38 秒»");
    EXPECT_EQ(closureText(-0.004f), "T24 «独立三角形条件  w(» « 1 » «)=» « 0.00 秒»");

    run.state.pointX[1] = 1234.5625;  // exactly halfway at the third decimal
    run.state.pointY[1] = -0.0625;
    run.state.relativeErrorDenominator = 12345678;
    run.state.invPlgs = 0.015625;  // 1/64, exactly halfway at the fifth decimal
    const std::vector<std::string> lines = spelled(reportLines(run.state));
    EXPECT_EQ(lines[27], "T24 «P1 :» T30 «x(» « 1 » «)=» « 1234.562» T53 «y(» « 1 » «)=» « -0.062»");
    EXPECT_EQ(lines[34], "T24 «      最弱边权倒数 : 1/Plgs=» « 0.01562»");
    EXPECT_EQ(lines[36], "T24 «   最弱边相对中误差 :    1/m= 1/1.234568E+07»");
}

TEST(ReportLines, PrintingTwiceGivesTheSameReportAndChangesNothing) {
    const Computation run = compute(azimuthReplies("1"));
    const SurveyState before = run.state;
    EXPECT_EQ(reportLines(run.state), reportLines(run.state));
    EXPECT_EQ(run.state.adjustedAngles, before.adjustedAngles);
    EXPECT_EQ(run.state.pointX, before.pointX);
    EXPECT_EQ(run.state.closures, before.closures);
}

TEST(PrintingAllowed, OnlyAfterAComputationThatRanToItsEnd) {
    SurveyState state;
    EXPECT_FALSE(printingAllowed(state));  // nothing computed yet

    morvalen::testing::ScriptedPrompt complete(knownSideReplies());
    FieldModel fields;
    runComputeCommand(state, complete, fields);
    EXPECT_TRUE(printingAllowed(state));

    // A later run that stops leaves a mix of two computations in the state: nothing of it is printed.
    auto replies = knownSideReplies();
    replies[replies.size() - 2] = "37.2252x";
    morvalen::testing::ScriptedPrompt stopping(replies);
    EXPECT_THROW(runComputeCommand(state, stopping, fields), RunStopped);
    EXPECT_FALSE(printingAllowed(state));
    EXPECT_NE(nothingToPrint.find("打印"), std::string_view::npos);
}

}  // namespace
}  // namespace morvalen::report
