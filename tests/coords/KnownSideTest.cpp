#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"
#include "coords/CoordinatesTestSupport.h"
#include "entry/RunStopped.h"
#include "support/RecordingFields.h"

namespace morvalen {
namespace {

using namespace morvalen::testing;

const double k = 3.1415926535 / 180;
const CheckedStep step("test");

SurveyState knownSideState(const char* xa, const char* ya, const char* xb, const char* yb) {
    SurveyState state = adjustedState(exactQuadrilateralDegrees, knownSideNames);
    state.xa = EntryValue::text(xa);
    state.ya = EntryValue::text(ya);
    state.xb = EntryValue::text(xb);
    state.yb = EntryValue::text(yb);
    return state;
}

TEST(KnownSide, WorkedCaseIntermediateValues) {
    AngleArray b{};
    for (int i = 1; i <= 8; ++i) b[i] = exactQuadrilateralDegrees[static_cast<std::size_t>(i - 1)];
    const double length = std::sqrt(10.0 * 10.0 + 175.0 * 175.0);
    EXPECT_NEAR(length, 175.2854814, 1e-7);
    const double azimuthAB = knownSideAzimuth(10, 175, length, k, step);
    EXPECT_NEAR(azimuthAB, 86.7295120, 1e-7);

    TraverseLegs legs;
    legs.azimuths[1] = (azimuthAB - b[1]) - b[8];
    if (legs.azimuths[1] < 0) legs.azimuths[1] += 360;
    propagateAzimuths(legs, b, 3, step);
    EXPECT_NEAR(legs.azimuths[1], 353.4180553, 1e-7);
    EXPECT_NEAR(legs.azimuths[2], 82.6476206, 1e-7);
    EXPECT_NEAR(legs.azimuths[3], 165.9637565, 1e-7);

    legs.sides[4] = length;
    applySideChainRow(legs, 4, b, k, step);
    applySideChainRow(legs, 1, b, k, step);
    applySideChainRow(legs, 2, b, k, step);
    EXPECT_NEAR(legs.sides[1], 130.8625232, 1e-7);
    EXPECT_NEAR(legs.sides[2], 156.2849960, 1e-7);
    EXPECT_NEAR(legs.sides[3], 144.3086968, 1e-7);
}

// The traverse forms the cosine and the sine of one azimuth together; every coordinate must still be exactly the
// one that separate calls of cos and sin give, in every quadrant and at the turns of the reduction of the angle.
TEST(Traverse, CoordinatesEqualThoseOfSeparateCosineAndSineCalls) {
    double (*volatile separateCosine)(double) = static_cast<double (*)(double)>(std::cos);
    double (*volatile separateSine)(double) = static_cast<double (*)(double)>(std::sin);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> azimuth(0, 360), side(1, 5000);
    for (int trial = 0; trial < 2000; ++trial) {
        SurveyState state;
        renewStationCoordinates(state, 3);
        state.radiansPerDegree = k;
        state.pointX[0] = 1000;
        state.pointY[0] = -2000;
        TraverseLegs legs;
        for (int i = 1; i <= 3; ++i) {
            legs.azimuths[i] = trial < 8 ? 45.0 * trial + i : azimuth(random);
            legs.sides[i] = side(random);
        }
        runTraverse(state, legs, 3, step);
        double x = 1000, y = -2000;
        for (std::size_t i = 1; i <= 3; ++i) {
            x = x + separateCosine(k * legs.azimuths[i]) * legs.sides[i];
            y = y + separateSine(k * legs.azimuths[i]) * legs.sides[i];
            ASSERT_EQ(state.pointX[i], x) << "azimuth " << legs.azimuths[i];
            ASSERT_EQ(state.pointY[i], y) << "azimuth " << legs.azimuths[i];
        }
    }
}

TEST(KnownSide, WorkedCaseTable) {
    SurveyState state = knownSideState("1000", "1000", "1010", "1175");
    RecordingFields fields;
    cm2(state);
    showCoordinateTable(state, fields);
    const char* x[] = {" 1000.000", " 1130.000", " 1150.000", " 1010.000"};
    const char* y[] = {" 1000.000", " 985.000", " 1140.000", " 1175.000"};
    for (int row = 0; row <= 3; ++row) {
        EXPECT_EQ(fields.text({"Text13", row}), x[row]) << row;
        EXPECT_EQ(fields.text({"Text14", row}), y[row]) << row;
    }
    EXPECT_EQ(fields.text({"Text12", 0}), " A");
    EXPECT_EQ(fields.text({"Text12", 3}), " B");
    EXPECT_EQ(fields.text({"Text12", 4}), "") << "row 4 is not written";
    EXPECT_EQ(fields.caption({"Label18", 0}), " Ya");
    EXPECT_NEAR(*state.startSideLength.numericValue(), 175.2854814, 1e-7);
    EXPECT_EQ(state.pointX.size(), 4u);
    // Row order: name, X, caption of Y(0) between X and Y of row 0.
    EXPECT_EQ(fields.writes[0].first, "Text12(0)");
    EXPECT_EQ(fields.writes[2].first, "Label18(0).caption");
}

TEST(KnownSide, RowZeroEchoesTheTypedDigitsAndShowsAWhateverItWasNamed) {
    SurveyState state = knownSideState("3456.7895", "1000", "3466.7895", "1175");
    state.pointNames[0] = "北山";
    FieldModel fields;
    cm2(state);
    showCoordinateTable(state, fields);
    EXPECT_EQ(fields.text({"Text12", 0}), " A");
    EXPECT_EQ(fields.text({"Text13", 0}), " 3456.790");
}

TEST(KnownSide, AzimuthOfBInEachDirection) {
    EXPECT_EQ(knownSideAzimuth(100, 0, 100, k, step), 0.0);
    EXPECT_EQ(knownSideAzimuth(-100, 0, 100, k, step), 180.0);
    EXPECT_NEAR(knownSideAzimuth(0, 100, 100, k, step), 89.9999919, 1e-7);
    EXPECT_NEAR(knownSideAzimuth(0, -100, 100, k, step), -89.9999919, 1e-7);
    EXPECT_NEAR(knownSideAzimuth(-100, -100, std::sqrt(20000.0), k, step), 225.0, 1e-7);
    EXPECT_NEAR(knownSideAzimuth(100, -100, std::sqrt(20000.0), k, step), 315.0, 1e-7);
}

TEST(KnownSide, BDueWestOfAStillGivesAzimuthsWithinOneTurn) {
    // Mirror the worked quadrilateral so that B lies due west of A: every azimuth then stays in 0..360.
    SurveyState state = knownSideState("1000", "1000", "1000", "824.7145186");
    FieldModel fields;
    cm2(state);
    showCoordinateTable(state, fields);
    EXPECT_EQ(fields.text({"Text13", 3}).substr(0, 6), " 1000.");
    EXPECT_EQ(fields.text({"Text14", 3}), " 824.715");
}

TEST(KnownSide, MeaninglessInputStopsBeforeAnyRowIsWritten) {
    const auto stopsWith = [](SurveyState state, const std::string& expected) {
        FieldModel fields;
        try {
            cm2(state);
            showCoordinateTable(state, fields);
            ADD_FAILURE() << "no stop for " << expected;
        } catch (const RunStopped& stop) {
            EXPECT_NE(std::string(stop.cause()).find(expected), std::string::npos) << stop.what();
        }
        for (int row = 0; row <= 4; ++row) EXPECT_EQ(fields.text({"Text13", row}), "");
        EXPECT_EQ(fields.caption({"Label18", 0}), "Y(0)");
    };
    stopsWith(knownSideState("1000", "1000", "1000", "1000"), "A 点与 B 点座标相同");
    stopsWith(knownSideState("1000", "abc", "1010", "1175"), "A 点横座标 Ya 的输入 \"abc\" 不是数值");
    stopsWith(knownSideState("1000", "1000", "", "1175"), "B 点纵座标 Xb 没有输入");
    stopsWith(knownSideState("1e308", "1000", "-1e308", "1175"), "溢出");
    SurveyState zeroAngle = knownSideState("1000", "1000", "1010", "1175");
    zeroAngle.adjustedAngles[2] = EntryValue::number(0.0);
    stopsWith(zeroAngle, "b(2) 的正弦为零");
}

}  // namespace
}  // namespace morvalen
