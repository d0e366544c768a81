#include "command/ComputeCommand.h"

#include <gtest/gtest.h>

#include "adjust/AngleConversions.h"
#include "entry/RunStopped.h"
#include "form/FieldText.h"
#include "support/RecordingFields.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen {
namespace {

using namespace morvalen::testing;

const std::vector<std::string> azimuthStartData = {"130.8625", "", "1", "", "200.0000", "", "153.2505", ""};

std::vector<std::string> knownSideReplies(const std::vector<std::string>& angles) {
    return confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles);
}

std::vector<std::string> azimuthReplies(const std::vector<std::string>& angles) {
    return confirmedEach(azimuthCoordinates) + azimuthStartData + confirmedEach(azimuthNames) +
           confirmedEach(angles);
}

// Fields that a run must not write keep this text.
const std::string untouched = "(earlier run)";

struct ComputeRun {
    SurveyState state;
    RecordingFields fields;
    std::optional<RunStopped> stop;

    void compute(const std::vector<std::string>& replies) {
        ScriptedPrompt prompt(replies);
        try {
            runComputeCommand(state, prompt, fields);
            stop.reset();
        } catch (const RunStopped& stopped) {
            stop = stopped;
        }
    }

    ComputeRun() {
        for (const char* name : {"Text8", "Text9", "Text10", "Text11", "Text15", "Text16", "Text17", "Text18"}) {
            fields.setText({name}, untouched);
        }
        fields.writes.clear();
    }
};

void expectWorkedAdjustedAngles(const SurveyState& state) {
    for (int k = 1; k <= 8; ++k) {
        const double packed = toDms(*state.adjustedAngles[static_cast<std::size_t>(k)].numericValue());
        EXPECT_EQ(roundedFixed(packed, 6), roundedFixed(workedAdjustedDms[static_cast<std::size_t>(k - 1)], 6))
            << "b(" << k << ")";
    }
}

TEST(AdjustmentRun, WorkedExampleKnownSideCase) {
    ComputeRun run;
    run.compute(knownSideReplies(workedAngles));
    ASSERT_FALSE(run.stop) << run.stop->what();
    EXPECT_EQ(run.fields.text({"Text15"}), " 2.00 秒");
    EXPECT_EQ(run.fields.text({"Text16"}), " -1.50 秒");
    EXPECT_EQ(run.fields.text({"Text17"}), " -0.15 秒");
    EXPECT_EQ(run.fields.text({"Text18"}), " 3.00 单位");
    EXPECT_EQ(run.fields.text({"Text8"}), " 0.67 秒");
    EXPECT_EQ(run.fields.text({"Text9"}), "5.29618");
    EXPECT_EQ(run.fields.text({"Text10"}), " 1.54 单位");
    EXPECT_EQ(run.fields.text({"Text11"}), " 1/282331");
    expectWorkedAdjustedAngles(run.state);
    EXPECT_TRUE(run.state.computationComplete);
}

TEST(AdjustmentRun, WorkedExampleAzimuthCase) {
    ComputeRun run;
    run.compute(azimuthReplies(workedAngles));
    ASSERT_FALSE(run.stop) << run.stop->what();
    EXPECT_EQ(run.fields.text({"Text15"}), " 2.00 秒");
    EXPECT_EQ(run.fields.text({"Text8"}), " 0.67 秒");
    EXPECT_EQ(run.fields.text({"Text9"}), "4.68721");
    EXPECT_EQ(run.fields.text({"Text10"}), " 1.45 单位");
    EXPECT_EQ(run.fields.text({"Text11"}), " 1/300111");
    expectWorkedAdjustedAngles(run.state);
}

TEST(AdjustmentRun, ResultFieldsAreWrittenInTheOrderOfTheRun) {
    ComputeRun run;
    run.compute(knownSideReplies(workedAngles));
    std::vector<std::string> order;
    for (const auto& [field, text] : run.fields.writes) {
        if (field == "Text15" || field == "Text16" || field == "Text17" || field == "Text18" || field == "Text8" ||
            field == "Text9" || field == "Text10" || field == "Text11") {
            order.push_back(field);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Text15", "Text16", "Text17", "Text18", "Text9", "Text8", "Text10",
                                               "Text11"}));
}

TEST(AdjustmentRun, TwoRunsWithTheSameRepliesGiveTheSameFields) {
    ComputeRun first;
    first.compute(azimuthReplies(workedAngles));
    ComputeRun second;
    second.compute(knownSideReplies(workedAngles));
    second.compute(azimuthReplies(workedAngles));
    for (const auto& name : FieldModel::singleFieldNames()) {
        EXPECT_EQ(first.fields.text({name}), second.fields.text({name})) << name;
    }
}

TEST(AdjustmentRun, AnAngleAboveOneHundredEightyDegreesStopsAtThePoleClosure) {
    ComputeRun run;
    run.compute(knownSideReplies({"200", "-10", "-5", "-5", "33.10401", "55.22345", "54.03519", "37.22520"}));
    ASSERT_TRUE(run.stop);
    EXPECT_NE(std::string(run.stop->cause()).find("b(1) 的正弦不为正"), std::string::npos) << run.stop->what();
    EXPECT_EQ(run.fields.text({"Text15"}), " 0.00 秒");
    EXPECT_NE(run.fields.text({"Text17"}), untouched);
    for (const char* name : {"Text18", "Text9", "Text8", "Text10", "Text11"}) {
        EXPECT_EQ(run.fields.text({name}), untouched) << name;
    }
    EXPECT_FALSE(run.state.computationComplete);
}

TEST(AdjustmentRun, AllZeroClosuresStopAtTheRelativeError) {
    ComputeRun run;
    run.compute(knownSideReplies(std::vector<std::string>(8, "45")));
    ASSERT_TRUE(run.stop);
    EXPECT_NE(std::string(run.stop->cause()).find("mb = 0"), std::string::npos) << run.stop->what();
    for (const char* name : {"Text15", "Text16", "Text17", "Text8"}) EXPECT_EQ(run.fields.text({name}), " 0.00 秒");
    EXPECT_EQ(run.fields.text({"Text18"}), " 0.00 单位");
    EXPECT_EQ(run.fields.text({"Text10"}), " 0.00 单位");
    EXPECT_EQ(run.fields.text({"Text11"}), untouched);
    EXPECT_EQ(run.fields.text({"Text13", 1}), "") << "no coordinates after a stop";
}

TEST(AdjustmentRun, MixedCaseIsAdjustedButStopsWithItsReason) {
    ComputeRun run;
    run.compute(confirmedEach({"1000", "1000", "1010", "0"}) + confirmedEach(knownSideNames) +
                confirmedEach(workedAngles));
    ASSERT_TRUE(run.stop);
    EXPECT_NE(std::string(run.stop->cause()).find("恰有一个为零"), std::string::npos) << run.stop->what();
    EXPECT_EQ(run.fields.text({"Text9"}), "0.00000");
    EXPECT_EQ(run.fields.text({"Text8"}), " 0.67 秒");
    EXPECT_EQ(run.fields.text({"Text10"}), " 0.00 单位");
    EXPECT_EQ(run.fields.text({"Text11"}), untouched);
    expectWorkedAdjustedAngles(run.state);
}

TEST(AdjustmentRun, AnAngleOfNinetyDegreesPasses) {
    ComputeRun run;
    run.compute(knownSideReplies({"90", "30", "30", "30.0001", "45", "45", "45", "45.0002"}));
    EXPECT_FALSE(run.stop) << run.stop->what();
}

}  // namespace
}  // namespace morvalen
