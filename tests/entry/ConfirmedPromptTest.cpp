#include "entry/ConfirmedPrompt.h"

#include <gtest/gtest.h>

#include "entry/EnteredState.h"
#include "entry/RunStopped.h"
#include "support/RecordingFields.h"
#include "support/ScriptedPrompt.h"

namespace morvalen {
namespace {

using testing::RecordingFields;
using testing::ScriptedPrompt;

const PromptTexts texts = {"entry", "confirm", "re-entry", "re-confirm"};

ConfirmedPrompt coordinatePrompt(std::string& target) { return {texts, &target, {"Text1"}, Pattern::threeDecimals}; }

TEST(WrongReply, OnlyARepliedZeroMeansWrong) {
    for (const char* wrong : {"0", "00", "0.0", "-0", " 0 ", "０"}) EXPECT_TRUE(isWrongReply(wrong)) << wrong;
    for (const char* accepts : {"", "1", "5", "-3", "O", "no", "0.0001", "零"}) {
        EXPECT_FALSE(isWrongReply(accepts)) << accepts;
    }
}

TEST(AskConfirmed, EchoesTheValueWhileTheConfirmationIsAsked) {
    std::string target;
    ScriptedPrompt prompt{"123.4567", ""};
    RecordingFields fields;
    askConfirmed(coordinatePrompt(target), prompt, fields);
    EXPECT_EQ(target, "123.4567");
    EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"entry", "confirm"}));
    ASSERT_EQ(fields.writes.size(), 1u);
    EXPECT_EQ(fields.writes[0], std::make_pair(std::string("Text1"), std::string(" 123.457")));
}

TEST(AskConfirmed, ThreeCorrectionsInARowKeepTheLastValue) {
    std::string target;
    ScriptedPrompt prompt{"1", "0", "2", "00", "3", "-0", "4", "yes"};
    RecordingFields fields;
    askConfirmed(coordinatePrompt(target), prompt, fields);
    EXPECT_EQ(target, "4");
    EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"entry", "confirm", "re-entry", "re-confirm", "re-entry",
                                                        "re-confirm", "re-entry", "re-confirm"}));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Text1", " 1.000"}, {"Text1", ""}, {"Text1", " 2.000"}, {"Text1", ""},
        {"Text1", " 3.000"}, {"Text1", ""}, {"Text1", " 4.000"}};
    EXPECT_EQ(fields.writes, expected);
}

TEST(AskConfirmed, DismissedAndNonNumericRepliesAreKeptAsTyped) {
    std::string target = "earlier";
    ScriptedPrompt dismissed{"", ""};
    FieldModel fields;
    askConfirmed(coordinatePrompt(target), dismissed, fields);
    EXPECT_EQ(target, "");
    EXPECT_EQ(fields.text({"Text1"}), " ");

    ScriptedPrompt letters{"12a", ""};
    askConfirmed(coordinatePrompt(target), letters, fields);
    EXPECT_EQ(fields.text({"Text1"}), " 12a");
}

TEST(AskConfirmed, NamesAreEchoedExactlyAsTyped) {
    std::string name;
    ScriptedPrompt prompt{"  北山 1号 ", ""};
    FieldModel fields;
    const PromptTexts nameTexts = {"n", "c", "n", "c"};
    askConfirmed({nameTexts, &name, {"Text12", 2}, Pattern::none}, prompt, fields);
    EXPECT_EQ(name, "  北山 1号 ");
    EXPECT_EQ(fields.text({"Text12", 2}), "   北山 1号 ");
}

// The reply is kept as typed and asked again when wrong; the computation rounds it, halves to the even neighbour.
TEST(AskConfirmedRepeat, KeepsTheLastReplyWhichTheComputationRoundsToEven) {
    std::string target;
    ScriptedPrompt prompt{"3.4", "0", "2.5", ""};
    askConfirmedRepeat("number?", "right?", target, prompt);
    EXPECT_EQ(target, "2.5");
    EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"number?", "right?", "number?", "right?"}));

    for (const auto& [typed, rounded] : {std::pair{"2.5", 2}, {"3.5", 4}, {"-0.5", 0}}) {
        Observations azimuthCase;
        azimuthCase.xb = azimuthCase.yb = "0";
        azimuthCase.startSideNumber = typed;
        SurveyState state;
        prepareState(state);
        OrientationCopies copies;
        EXPECT_THROW(storeObservations(azimuthCase, state, copies), RunStopped) << "b(1) is empty";
        EXPECT_EQ(state.startSideNumber, rounded) << typed;
    }
}

TEST(AskConfirmedRepeat, StopsOnAReplyThatCannotBeASixteenBitNumber) {
    for (const char* reply : {"", "abc", "32768", "-32769", "1e400", "nan"}) {
        std::string target;
        ScriptedPrompt prompt{reply, ""};
        EXPECT_THROW(askConfirmedRepeat("number?", "right?", target, prompt), RunStopped) << reply;
        EXPECT_EQ(prompt.prompts.size(), 1u) << "stops at the entry prompt itself";
    }
}

// The stop names what was typed; a reply with nothing in it is said to be missing rather than shown as "".
TEST(AskConfirmedRepeat, TheStopDescribesAnEmptyReplyInWords) {
    const auto causeOf = [](const char* reply) {
        std::string target;
        ScriptedPrompt prompt{reply, ""};
        try {
            askConfirmedRepeat("number?", "right?", target, prompt);
        } catch (const RunStopped& stop) {
            return stop.cause();
        }
        return std::string("no stop");
    };
    EXPECT_EQ(causeOf(""), "起算边编号没有输入");
    EXPECT_EQ(causeOf("two"), "起算边编号 \"two\" 不是数值");
}

}  // namespace
}  // namespace morvalen
