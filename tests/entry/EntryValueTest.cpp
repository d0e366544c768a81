#include "entry/EntryValue.h"

#include <gtest/gtest.h>

#include "entry/SurveyState.h"

namespace morvalen {
namespace {

TEST(EntryValue, ComparisonWithZero) {
    EXPECT_TRUE(EntryValue().equalsZero());
    for (const char* zero : {"0", "00", "0.0", "-0", " 0 ", "0.000", "0e5", "０"}) {
        EXPECT_TRUE(EntryValue::text(zero).equalsZero()) << zero;
    }
    for (const char* other : {"", "abc", "1e-400", "1e400", "0.0001", "O"}) {
        EXPECT_FALSE(EntryValue::text(other).equalsZero()) << other;
    }
    EXPECT_TRUE(EntryValue::number(0.0).equalsZero());
}

TEST(EntryValue, DisplayWithPatterns) {
    EXPECT_EQ(EntryValue::text("1234.5").display(Pattern::threeDecimals), "1234.500");
    EXPECT_EQ(EntryValue::text("0.12345").display(Pattern::fiveDecimals), "0.12345");
    EXPECT_EQ(EntryValue::text("0.12345").display(Pattern::threeDecimals), "0.123");
    EXPECT_EQ(EntryValue::text("45.3015").display(Pattern::fiveDecimals), "45.30150");
    EXPECT_EQ(EntryValue::text("0.25").display(Pattern::threeDecimalsBare), ".250");
    EXPECT_EQ(EntryValue::text("abc").display(Pattern::threeDecimals), "abc");
    EXPECT_EQ(EntryValue::text("1e400").display(Pattern::threeDecimals), "1e400");
    EXPECT_EQ(EntryValue::text("").display(Pattern::fiveDecimals), "");
    EXPECT_EQ(EntryValue::text(" 12 ").display(Pattern::none), " 12 ");
    EXPECT_EQ(EntryValue::number(175.28548141).display(Pattern::threeDecimals), "175.285");
    EXPECT_EQ(EntryValue().display(Pattern::threeDecimals), "0.000");
}

TEST(EntryValue, NumericReading) {
    EXPECT_EQ(EntryValue().numericValue(), 0.0);
    EXPECT_EQ(EntryValue::text("-12.5").numericValue(), -12.5);
    EXPECT_EQ(EntryValue::text("abc").reading(), Reading::notNumeric);
    EXPECT_EQ(EntryValue::text("").reading(), Reading::notNumeric);
    EXPECT_EQ(EntryValue::text("1e400").reading(), Reading::outOfRange);
    EXPECT_FALSE(EntryValue::text("1e400").numericValue());
}

TEST(SurveyState, PreparationRenewsTheArraysOfARun) {
    SurveyState state;
    state.pointNames = {"x"};
    state.closures = {1, 2};
    state.xa = EntryValue::text("5");
    state.Ta = EntryValue::text("200");
    state.startSideNumber = 2;
    prepareState(state);
    EXPECT_EQ(state.pointNames, std::vector<std::string>(5));
    EXPECT_EQ(state.adjustedAngles.size(), 9u);
    EXPECT_EQ(state.observedAngles.size(), 9u);
    EXPECT_EQ(state.closures, std::vector<float>(5, 0.0f));
    ASSERT_EQ(state.normalMatrix.size(), 4u);
    EXPECT_EQ(state.normalMatrix[3], std::vector<double>(4, 0.0));
    EXPECT_EQ(state.radiansPerDegree, 3.1415926535 / 180);
    EXPECT_NEAR(state.radiansPerDegree, 0.0174532925194444, 1e-16);
    EXPECT_EQ(state.upperBound4, 4);
    EXPECT_EQ(state.upperBound3, 3);
    EXPECT_EQ(state.xa, EntryValue::text("5"));
    EXPECT_EQ(state.Ta, EntryValue::text("200"));
    EXPECT_EQ(state.startSideNumber, 2);
}

TEST(SurveyState, CaseFollowsTheCoordinatesOfB) {
    SurveyState state;
    const auto caseOf = [&](const char* xb, const char* yb) {
        state.xb = EntryValue::text(xb);
        state.yb = EntryValue::text(yb);
        return runCase(state);
    };
    EXPECT_EQ(caseOf("1010", "1175"), RunCase::knownSide);
    EXPECT_EQ(caseOf("0", "0.000"), RunCase::azimuth);
    EXPECT_EQ(caseOf("1010", "0"), RunCase::mixed);
    EXPECT_EQ(caseOf("-0", "1175"), RunCase::mixed);
    EXPECT_EQ(caseOf("", ""), RunCase::knownSide);  // two dismissed prompts
    EXPECT_EQ(caseOf("abc", "0"), RunCase::mixed);
}

// A value rewritten in place reads exactly as one made new: whatever it held before, however it reads.
TEST(EntryValue, RewritingInPlaceEqualsANewValue) {
    // Every length from the empty text to beyond what the value keeps in itself (23 bytes), CJK names among them.
    const char* texts[] = {"",         "7",         "12",        "123",        "1000",       "-0",       "1234567",
                           "12345678", "123456789", " 44.13120 ", "1e400",     "abc",        "１２．５",
                           "1234567890.12345",      "1234567890.123456",       "12345678901234567890.12",
                           "0.0000000000000000000001",                         "北山北山北山北山", "北山北山北山北山北"};
    for (const char* before : texts) {
        for (const char* after : texts) {
            EntryValue value = EntryValue::text(before);
            value.setNumber(3.5);
            value.setText(after);
            const EntryValue fresh = EntryValue::text(after);
            EXPECT_EQ(value, fresh) << before << " → " << after;
            EXPECT_EQ(value.reading(), fresh.reading()) << after;
            EXPECT_EQ(value.numericValue(), fresh.numericValue()) << after;
            EXPECT_EQ(value.equalsZero(), fresh.equalsZero()) << after;
            EXPECT_EQ(value.display(Pattern::fiveDecimals), fresh.display(Pattern::fiveDecimals)) << after;
            EXPECT_EQ(value.display(Pattern::threeDecimals), fresh.display(Pattern::threeDecimals)) << after;
            value.clear();
            EXPECT_EQ(value, EntryValue());
            EXPECT_TRUE(value.equalsZero());
            EXPECT_EQ(value.numericValue(), 0.0);
        }
    }
}

}  // namespace
}  // namespace morvalen
