#include "entry/ObservationEntry.h"

#include <gtest/gtest.h>

#include "entry/EnteredState.h"
#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"
#include "support/RecordingFields.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen {
namespace {

using namespace morvalen::testing;

const std::string suffix = "输入正确单击 Enter ; 错误输入零( 即为:0 )";

// The dialogue, then its values stored as the computation stores them: a stop in the dialogue is the stop the
// computation makes on the values typed so far.
void enterAndStore(SurveyState& state, OrientationCopies& copies, Prompt& prompt, WindowFields& fields) {
    Observations typed;
    try {
        enterObservations(prompt, fields, typed);
    } catch (const RunStopped& dialogueStop) {
        try {
            storeObservations(typed, state, copies);
            ADD_FAILURE() << "the values typed so far store without the dialogue's stop";
        } catch (const RunStopped& stop) {
            EXPECT_STREQ(stop.what(), dialogueStop.what());
        }
        throw;
    }
    storeObservations(typed, state, copies);
}

struct EntryRun {
    SurveyState state;
    OrientationCopies copies;
    RecordingFields fields;
    ScriptedPrompt prompt;

    explicit EntryRun(const std::vector<std::string>& replies) : prompt(replies) {
        prepareState(state);
        enterAndStore(state, copies, prompt, fields);
    }
};

TEST(ObservationEntry, KnownSideRunAsksThirtyTwoPrompts) {
    EntryRun run(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    EXPECT_EQ(run.prompt.prompts.size(), 32u);
    EXPECT_EQ(run.prompt.repliesLeft(), 0u);
    EXPECT_EQ(run.fields.text({"Text1"}), " 1000.000");
    EXPECT_EQ(run.fields.text({"Text3"}), " 1010.000");
    EXPECT_EQ(run.fields.text({"Text4"}), " 1175.000");
    EXPECT_EQ(run.fields.text({"Text20"}), "    以起始边 S(a-b)起算 ");
    for (const char* field : {"Text19", "Text5", "Text6"}) EXPECT_EQ(run.fields.text({field}), "由起始边起算");
    EXPECT_EQ(run.state.unknownPointCount, 2);
    EXPECT_EQ(run.state.pointNames, knownSideNames);
    EXPECT_EQ(run.prompt.prompts[8], "输入起始点 A 点的点名 :");
    EXPECT_EQ(run.prompt.prompts[12], "按顺时针顺序输入第 2 个待定点的点名 :");
    EXPECT_EQ(run.prompt.prompts[13], "确认第 2 个待定点的点名输入是否正确 ?  " + suffix);
    EXPECT_EQ(run.prompt.prompts[20], "请输入第 3 个观测角 B3 的数值 : ");
    EXPECT_EQ(run.prompt.prompts[21], "确认 B(3) 输入是否正确?  " + suffix);
    EXPECT_EQ(run.fields.text({"Text7", 0}), " 44.13120");
    EXPECT_EQ(run.state.observedAngles[1], EntryValue::text("44.13120"));
    EXPECT_EQ(run.state.adjustedAngles[1], EntryValue::number(*toDegrees(EntryValue::text("44.13120"))));
    EXPECT_TRUE(run.state.Ta.isEmpty());
    EXPECT_TRUE(run.copies.Ta.isEmpty());
}

TEST(ObservationEntry, AzimuthRunAsksStartDataAndFiveNames) {
    const std::vector<std::string> startData = {"130.8625", "", "2", "", "200.0000", "", "153.2505", ""};
    EntryRun run(confirmedEach(azimuthCoordinates) + startData + confirmedEach(azimuthNames) +
                 confirmedEach(workedAngles));
    EXPECT_EQ(run.prompt.prompts.size(), 42u);
    EXPECT_EQ(run.fields.text({"Text3"}), "B点为待定点");
    EXPECT_EQ(run.fields.text({"Text4"}), "B点为待定点");
    EXPECT_EQ(run.fields.text({"Text20"}), " 由A点的外方位角定向");
    EXPECT_EQ(run.fields.text({"Text19"}), " 130.863");
    EXPECT_EQ(run.fields.text({"Text5"}), " 200.00000");
    EXPECT_EQ(run.fields.text({"Text6"}), " 153.25050");
    EXPECT_EQ(run.prompt.prompts[8], "输入起算边长度 :（以米为单位）");
    EXPECT_EQ(run.prompt.prompts[10], "输入起算边在示图上所示的编号 ：（1，2，3，4）");
    EXPECT_EQ(run.prompt.prompts[12], "输入起始点 A 的外方位角 Ta : ( 方向由 A 点向外 )");
    EXPECT_EQ(run.state.startSideNumber, 2);
    EXPECT_EQ(run.state.Ta, EntryValue::text("200.0000"));
    EXPECT_EQ(run.copies.Qa, EntryValue::text("153.2505"));
    EXPECT_EQ(run.state.unknownPointCount, 3);
    EXPECT_EQ(run.state.pointNames[4], "A");
    EXPECT_EQ(run.fields.text({"Text12", 4}), " A");
    EXPECT_EQ(run.prompt.prompts[22], "按顺时针顺序输入第 3 个待定点的点名 :");
}

TEST(ObservationEntry, MixedRunWritesNoStartTexts) {
    EntryRun run(confirmedEach({"1000", "1000", "1010", "0"}) + confirmedEach(knownSideNames) +
                 confirmedEach(workedAngles));
    EXPECT_EQ(run.prompt.prompts.size(), 32u);
    for (const char* field : {"Text19", "Text5", "Text6", "Text20"}) EXPECT_EQ(run.fields.text({field}), "");
    EXPECT_EQ(run.state.unknownPointCount, 2);
}

TEST(ObservationEntry, CorrectionsUseTheReentryAndReconfirmationTexts) {
    const std::vector<std::string> replies = std::vector<std::string>{"1000", "", "1000", "", "5", "0", "0", "", "0", ""} +
                                             std::vector<std::string>{"100", "", "1", "0", "2", "", "200", ""};
    EntryRun run(replies + std::vector<std::string>{"30", "0", "153.2505", ""} + confirmedEach(azimuthNames) +
                 confirmedEach(workedAngles));
    const auto& prompts = run.prompt.prompts;
    EXPECT_EQ(prompts[5], "确认纵座标输入是否正确 ?  " + suffix);
    EXPECT_EQ(prompts[6], "输入正确的纵座标 Xb: ");
    EXPECT_EQ(prompts[7], "确认纵座标输入是否正确 ?  " + suffix);
    EXPECT_EQ(prompts[14], "输入起算边在示图上所示的编号 ：（1，2，3，4）");  // asked again after a wrong reply
    EXPECT_EQ(run.state.startSideNumber, 2);
    EXPECT_EQ(prompts[19], "确认定向角 Qa 输入是否正确 ?  " + suffix);
    EXPECT_EQ(prompts[20], "输入定向角 Qa 正确的观测值 :");
    EXPECT_EQ(prompts[21], "确认定向角 Qa 输入是否正确 ? " + suffix);
    EXPECT_EQ(run.state.Qa, EntryValue::text("153.2505"));
    EXPECT_EQ(prompts.size(), 42u + 2 * 3);
}

TEST(ObservationEntry, AnAngleThatIsNotANumberStopsRightAfterItsConfirmation) {
    std::vector<std::string> angles = workedAngles;
    angles[4] = "33.1O401";
    SurveyState state;
    OrientationCopies copies;
    FieldModel fields;
    ScriptedPrompt prompt(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles));
    prepareState(state);
    try {
        enterAndStore(state, copies, prompt, fields);
        FAIL() << "the run should stop";
    } catch (const RunStopped& stop) {
        EXPECT_NE(std::string(stop.what()).find("b(5) 的输入 \"33.1O401\" 不是数值"), std::string::npos) << stop.what();
    }
    EXPECT_EQ(prompt.prompts.size(), 8u + 8u + 10u);
    EXPECT_EQ(state.observedAngles[5], EntryValue::text("33.1O401"));
    EXPECT_EQ(fields.text({"Text7", 4}), " 33.1O401");
    EXPECT_TRUE(state.adjustedAngles[4].holdsNumber());
    EXPECT_EQ(fields.text({"Text7", 5}), "");
}

TEST(ObservationEntry, DismissedPromptsEverywhereGiveAKnownSideRunThatStopsAtTheFirstAngle) {
    SurveyState state;
    OrientationCopies copies;
    FieldModel fields;
    ScriptedPrompt prompt;
    prepareState(state);
    EXPECT_THROW(enterAndStore(state, copies, prompt, fields), RunStopped);
    EXPECT_EQ(fields.text({"Text3"}), " ");
    EXPECT_EQ(fields.text({"Text20"}), "    以起始边 S(a-b)起算 ");
    EXPECT_EQ(prompt.prompts.size(), 8u + 8u + 2u);
}

TEST(ObservationEntry, ASecondRunStartsFromEmptiedArrays) {
    EntryRun first(confirmedEach(azimuthCoordinates) +
                   std::vector<std::string>{"130.8625", "", "1", "", "200", "", "153.2505", ""} +
                   confirmedEach(azimuthNames) + confirmedEach(workedAngles));
    SurveyState& state = first.state;
    prepareState(state);
    EXPECT_EQ(state.pointNames, std::vector<std::string>(5));
    for (const auto& angle : state.adjustedAngles) EXPECT_TRUE(angle.isEmpty());
    EXPECT_EQ(state.Ta, EntryValue::text("200"));

    ScriptedPrompt prompt(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) +
                          confirmedEach(workedAngles));
    OrientationCopies copies;
    enterAndStore(state, copies, prompt, first.fields);
    EXPECT_EQ(state.pointNames.size(), 4u);
    EXPECT_EQ(state.Ta, EntryValue::text("200"));
    EXPECT_EQ(state.startSideNumber, 1);
    EXPECT_EQ(first.fields.text({"Text12", 4}), " A") << "row 4 is not written by a known-side entry";
}

}  // namespace
}  // namespace morvalen
