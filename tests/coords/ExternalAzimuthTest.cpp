#include <gtest/gtest.h>

#include <numbers>

#include "command/ComputeCommand.h"
#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"
#include "coords/CoordinatesTestSupport.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "support/ScriptedPrompt.h"

namespace morvalen {
namespace {

using namespace morvalen::testing;

SurveyState azimuthState(int startSide, const std::string& length) {
    SurveyState state = adjustedState(exactQuadrilateralDegrees, azimuthNames);
    state.xa = EntryValue::text("1000");
    state.ya = EntryValue::text("1000");
    state.xb = EntryValue::text("0");
    state.yb = EntryValue::text("0");
    state.startSideNumber = static_cast<std::int16_t>(startSide);
    state.startSideLength = EntryValue::text(length);
    return state;
}

struct AzimuthRun {
    SurveyState state;
    EntryValue Ta = EntryValue::text("200.0000");
    EntryValue Qa = EntryValue::text("153.2505");
    FieldModel fields;

    AzimuthRun(int startSide, const std::string& length) : state(azimuthState(startSide, length)) {}
    void compute() {
        Cm1(state, Ta, Qa);
        showCoordinateTable(state, fields);
    }
};

TEST(ExternalAzimuth, WorkedCaseTable) {
    AzimuthRun run(1, "130.8625");
    run.compute();
    const char* x[] = {" 1000.000", " 1130.000", " 1150.000", " 1010.000", " 1000.000"};
    const char* y[] = {" 1000.000", " 985.000", " 1140.000", " 1175.000", " 1000.000"};
    for (int row = 0; row <= 4; ++row) {
        EXPECT_EQ(run.fields.text({"Text13", row}), x[row]) << row;
        EXPECT_EQ(run.fields.text({"Text14", row}), y[row]) << row;
        EXPECT_EQ(run.fields.text({"Text12", row}), " " + azimuthNames[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(run.fields.caption({"Label18", 0}), "Y(0)") << "no caption is changed";
    EXPECT_NEAR(*run.Qa.numericValue(), 153.4180555, 1e-7);
    EXPECT_EQ(run.state.startSideLength, EntryValue::text("130.8625"));
}

TEST(ExternalAzimuth, WorkedCaseIntermediateValues) {
    AngleArray b{};
    for (int i = 1; i <= 8; ++i) b[i] = exactQuadrilateralDegrees[static_cast<std::size_t>(i - 1)];
    const CheckedStep step("test");
    const double k = 3.1415926535 / 180;
    TraverseLegs legs;
    legs.azimuths[1] = 200.0 + ((153.0 + 25.0 / 60) + 5.0 / 3600);
    propagateAzimuths(legs, b, 4, step);
    EXPECT_NEAR(legs.azimuths[1], 353.4180555, 1e-7);
    EXPECT_NEAR(legs.azimuths[2], 82.6476208, 1e-7);
    EXPECT_NEAR(legs.azimuths[3], 165.9637567, 1e-7);
    EXPECT_NEAR(legs.azimuths[4], 266.7295122, 1e-7);
    legs.sides[1] = 130.8625;
    for (int row = 1; row <= 3; ++row) applySideChainRow(legs, row, b, k, step);
    EXPECT_NEAR(legs.sides[2], 156.2849682, 1e-7);
    EXPECT_NEAR(legs.sides[3], 144.3086712, 1e-7);
    EXPECT_NEAR(legs.sides[4], 175.2854502, 1e-7);
    EXPECT_NEAR(sineRule(b[7], 224.7221, b[8] + b[1], "", k, step), 130.8625520, 1e-7);
}

TEST(ExternalAzimuth, EveryStartSideReproducesTheSameQuadrilateral) {
    const auto& s = workedStations;
    const double lengths[] = {0,
                              distance(s[0], s[1]),
                              distance(s[1], s[2]),
                              distance(s[2], s[3]),
                              distance(s[3], s[0]),
                              distance(s[1], s[3]),
                              distance(s[0], s[2])};
    for (int side = 1; side <= 6; ++side) {
        AzimuthRun run(side, digits(lengths[side]));
        run.Ta = EntryValue::text("0");
        // Azimuth A → P1 in dd.mmss, to the nearest 0.00001″.
        const double degrees = std::atan2(s[1].y - s[0].y, s[1].x - s[0].x) * 180 / std::numbers::pi + 360;
        const double minutes = (degrees - std::trunc(degrees)) * 60;
        const double seconds = (minutes - std::trunc(minutes)) * 60;
        char packed[64];
        std::snprintf(packed, sizeof packed, "%d.%02d%08.5f", static_cast<int>(degrees), static_cast<int>(minutes),
                      seconds);
        std::string text = packed;
        text.erase(text.find('.', text.find('.') + 1), 1);
        run.Qa = EntryValue::text(text);
        run.compute();
        for (int row = 1; row <= 4; ++row) {
            EXPECT_NEAR(run.state.pointX[static_cast<std::size_t>(row)], s[row % 4].x, 2e-4) << side << "/" << row;
            EXPECT_NEAR(run.state.pointY[static_cast<std::size_t>(row)], s[row % 4].y, 2e-4) << side << "/" << row;
        }
    }
}

TEST(ExternalAzimuth, OrientationOfOneTurnAndTwoTurns) {
    AzimuthRun fullTurn(1, "130.8625");
    fullTurn.Ta = EntryValue::text("200");
    fullTurn.Qa = EntryValue::text("160");
    fullTurn.compute();
    EXPECT_NEAR(fullTurn.state.pointX[1], 1000 + 130.8625, 1e-9) << "α(1) = 0: due north";
    EXPECT_NEAR(fullTurn.state.pointY[1], 1000, 1e-9);

    AzimuthRun twoTurns(1, "130.8625");
    twoTurns.Ta = EntryValue::text("360");
    twoTurns.Qa = EntryValue::text("360");
    twoTurns.compute();  // 720 stays 360 after one subtraction and goes on unchanged
    EXPECT_NEAR(twoTurns.state.pointX[1], 1000 + 130.8625, 1e-6);
    EXPECT_NEAR(twoTurns.state.pointY[1], 1000, 1e-6);
}

TEST(ExternalAzimuth, MeaninglessInputStopsBeforeAnyRowIsWritten) {
    const auto stopsWith = [](AzimuthRun run, const std::string& expected) {
        try {
            run.compute();
            ADD_FAILURE() << "no stop for " << expected;
        } catch (const RunStopped& stop) {
            EXPECT_NE(std::string(stop.cause()).find(expected), std::string::npos) << stop.what();
        }
        for (int row = 0; row <= 4; ++row) EXPECT_EQ(run.fields.text({"Text12", row}), "");
    };
    for (int side : {0, 7, -1, 32767}) stopsWith(AzimuthRun(side, "100"), "只接受 1、2、3、4");
    stopsWith(AzimuthRun(1, "1O0"), "起算边长度 的输入 \"1O0\" 不是数值");
    AzimuthRun badTa(1, "100");
    badTa.Ta = EntryValue::text("");
    stopsWith(badTa, "外方位角 Ta 没有输入");
    AzimuthRun badQa(1, "100");
    badQa.Qa = EntryValue::text("1e400");
    stopsWith(badQa, "定向角 Qa 的输入 \"1e400\" 超出数值范围");
    AzimuthRun flatAngle(5, "100");
    flatAngle.state.adjustedAngles[8] = EntryValue::number(-flatAngle.state.adjustedAngles[1].numericValue().value());
    stopsWith(flatAngle, "b(8) + b(1) 的正弦为零");
}

TEST(ExternalAzimuth, AKnownSideRunAfterAnAzimuthRunKeepsTheAzimuthData) {
    SurveyState state;
    FieldModel fields;
    ScriptedPrompt azimuth(confirmedEach(azimuthCoordinates) +
                           std::vector<std::string>{"130.8625", "", "2", "", "200.0000", "", "153.2505", ""} +
                           confirmedEach(azimuthNames) + confirmedEach(workedAngles));
    runComputeCommand(state, azimuth, fields);
    const std::string row4 = fields.text({"Text13", 4});
    ScriptedPrompt knownSide(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) +
                             confirmedEach(workedAngles));
    runComputeCommand(state, knownSide, fields);
    EXPECT_EQ(state.Ta, EntryValue::text("200.0000"));
    EXPECT_EQ(state.Qa, EntryValue::text("153.2505"));
    EXPECT_EQ(state.startSideNumber, 2);
    EXPECT_TRUE(state.startSideLength.holdsNumber()) << "the computed length of A–B";
    EXPECT_EQ(fields.text({"Text13", 4}), row4);
    EXPECT_EQ(fields.text({"Text12", 4}), " A");
    EXPECT_EQ(fields.caption({"Label18", 0}), " Ya");
    EXPECT_EQ(state.pointX.size(), 4u);
}

}  // namespace
}  // namespace morvalen
