#include "entry/ObservationChecks.h"

#include <gtest/gtest.h>

namespace morvalen {
namespace {

Observations knownSide() {
    Observations o;
    o.xa = "1000", o.ya = "1000", o.xb = "1010", o.yb = "1175";
    o.names = {"A", "P1", "P2", "", "B"};
    o.angles = {"44.13120", "44.20042", "49.18030", "42.08428", "33.10401", "55.22345", "54.03519", "37.22520"};
    return o;
}

Observations azimuth() {
    Observations o = knownSide();
    o.xb = "0", o.yb = "0", o.startSideLength = "130.8625", o.startSideNumber = "1", o.Ta = "200", o.Qa = "153.2505";
    o.names = {"A", "P1", "P2", "P3", "A"};
    return o;
}

TEST(ObservationChecks, TheWorkedExamplesHaveNoProblem) {
    EXPECT_TRUE(observationProblems(knownSide()).empty());
    EXPECT_TRUE(observationProblems(azimuth()).empty());
}

// One value typed into an otherwise sound azimuth data set: the problem it gets, or none.
TEST(ObservationChecks, EachValueGetsItsReason) {
    const struct {
        EnteredValue value;
        const char* typed;
        const char* problem;  // nullptr: none
    } cases[] = {
        {EnteredValue::xa, "１２．５", nullptr},        {EnteredValue::xa, "12,5", "不是数值"},
        {EnteredValue::ya, "1e400", "超出数值范围"},     {EnteredValue::ya, "  ", "没有输入"},
        {EnteredValue::b1, "44.1312x", "不是数值"},      {EnteredValue::b1, "44.6112", "dd.mmss 的分和秒都必须小于 60"},
        {EnteredValue::b3, "49.1860", "dd.mmss 的分和秒都必须小于 60"}, {EnteredValue::b3, "49.185999", nullptr},
        {EnteredValue::b2, "44.2", nullptr},            {EnteredValue::b2, "0", "观测角必须大于 0° 且小于 180°"},
        {EnteredValue::b2, "180", "观测角必须大于 0° 且小于 180°"}, {EnteredValue::b2, "-1.3", "观测角必须大于 0° 且小于 180°"},
        {EnteredValue::b2, "179.5959", nullptr},        {EnteredValue::Ta, "359.5960", "dd.mmss 的分和秒都必须小于 60"},
        {EnteredValue::startSideNumber, "3.5", "起算边编号必须是 1 至 6 的整数"},
        {EnteredValue::startSideNumber, "3.0", nullptr}, {EnteredValue::startSideNumber, "６", nullptr},
        {EnteredValue::startSideNumber, "7", "起算边编号必须是 1 至 6 的整数"},
        {EnteredValue::startSideNumber, "0", "起算边编号必须是 1 至 6 的整数"},
        {EnteredValue::startSideLength, "0", "起算边长度必须大于零"},
        {EnteredValue::startSideLength, "-5", "起算边长度必须大于零"}, {EnteredValue::nameP3, "", "没有输入"},
        {EnteredValue::nameP3, "北山 1", nullptr},
    };
    for (const auto& c : cases) {
        Observations o = azimuth();
        o.text(c.value) = c.typed;
        const auto problem = valueProblem(o, c.value);
        if (c.problem) {
            EXPECT_EQ(problem.value_or("none"), c.problem) << valueName(c.value) << " " << c.typed;
        } else {
            EXPECT_FALSE(problem) << valueName(c.value) << " " << c.typed << ": " << *problem;
        }
    }
}

TEST(ObservationChecks, TheStartDataCountOnlyInTheAzimuthCase) {
    Observations o = knownSide();
    o.startSideNumber = "3.5", o.Ta = "x";
    EXPECT_TRUE(observationProblems(o).empty());
    o.yb = "0";  // mixed: adjusted without coordinates, the start data still not asked
    EXPECT_EQ(o.runCase(), RunCase::mixed);
    EXPECT_TRUE(observationProblems(o).empty());
    o.xb = "0";
    const auto problems = observationProblems(o);
    ASSERT_EQ(problems.size(), 5u);  // start side length, number, Ta, Qa and P3
    EXPECT_EQ(problems.front().value, EnteredValue::startSideLength);
    EXPECT_EQ(problems.back().value, EnteredValue::nameP3);
}

}  // namespace
}  // namespace morvalen
