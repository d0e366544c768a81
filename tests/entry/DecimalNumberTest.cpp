#include "entry/DecimalNumber.h"
#include "entry/DecimalRounding.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "entry/EntryValue.h"
#include "entry/PackedAngle.h"

namespace morvalen {
namespace {

TEST(DecimalReading, AcceptsSignedDecimalsWithExponentAndBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"12", 12},        {"-3.5", -3.5},  {"+.25", 0.25},   {"7.", 7},          {"1e3", 1000},
        {"1.5E-02", 0.015}, {"  42  ", 42}, {"\t-0.5 ", -0.5}, {"0003.1400", 3.14}, {"１２．５", 12.5},
        {"－３", -3},       {"１Ｅ２", 100}, {"\xE3\x80\x80" "7\xE3\x80\x80", 7}};
    for (const auto& [text, value] : cases) {
        const auto number = parseDecimal(text);
        ASSERT_TRUE(number.has_value()) << text;
        EXPECT_EQ(*toDouble(*number), value) << text;
    }
}

TEST(DecimalReading, RejectsEverythingElse) {
    for (const char* text : {"", " ", ".", "e5", "1e", "1e+", "--5", "+-5", "1,234.5", "12,5", "nan", "inf",
                             "-inf", "0x10", "1 2", "12m", "1.2.3", "O", "no", "1e5.5", "\xFF\xFE", "５ｍ"}) {
        EXPECT_FALSE(parseDecimal(text).has_value()) << text;
    }
}

TEST(DecimalReading, KeepsTheTypedDigitsExactly) {
    const auto number = parseDecimal("-0010.2500e1");
    ASSERT_TRUE(number);
    EXPECT_TRUE(number->negative);
    EXPECT_EQ(number->digits, "1025");
    EXPECT_EQ(number->exponent, -1);
    EXPECT_TRUE(parseDecimal("-0.000")->isZero());
    EXPECT_FALSE(parseDecimal("-0.000")->negative);
}

TEST(DecimalReading, ValuesOutsideTheRangeOfADoubleDoNotConvert) {
    EXPECT_FALSE(toDouble(*parseDecimal("1e400")));
    EXPECT_FALSE(toDouble(*parseDecimal("-1e400")));
    EXPECT_FALSE(toDouble(*parseDecimal("1e-400")));
    EXPECT_FALSE(toDouble(*parseDecimal("1e99999999999999999999999")));
    EXPECT_TRUE(toDouble(*parseDecimal("1.7e308")));
    EXPECT_TRUE(toDouble(*parseDecimal("4e-320")));  // subnormal, still not zero
}

// Whichever way a value is read (the short way for up to 15 digits within 10^±22, from_chars beyond), it is the
// double nearest to the typed decimal, as from_chars reads the same text.
TEST(DecimalReading, IsTheNearestDoubleOnBothSidesOfTheShortWay) {
    const auto fromChars = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data() + (text[0] == '+' ? 1 : 0), text.data() + text.size(), value);
        return value;
    };
    std::vector<std::string> texts = {"123456789012345e-22", "123456789012345e22", "1234567890123456e-22",
                                      "123456789012345e-23", "123456789012345e23", "9007199254740993",
                                      "900719925474099.3", "0.1", "-2.5e-3", "1e22", "1e23", "8.589973e9",
                                      "2.2250738585072011e-308", "179.59599999999999"};
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const auto digitCount = 1 + random() % 18;
        std::string text = random() % 2 ? "-" : "";
        for (std::uint64_t d = 0; d < digitCount; ++d) text += static_cast<char>('0' + random() % 10);
        text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const auto number = parseDecimal(text);
        ASSERT_TRUE(number) << text;
        const std::optional<double> value = toDouble(*number);
        ASSERT_TRUE(value) << text;
        EXPECT_EQ(*value, fromChars(text)) << text;
    }
}

TEST(DecimalRounding, HalvesAwayFromZeroForEchoesAndToEvenForResults) {
    const auto text = [](const char* typed, int decimals, Rounding rounding) {
        return formatFixed(*parseDecimal(typed), decimals, rounding);
    };
    EXPECT_EQ(text("123.4567", 3, Rounding::halfAwayFromZero), "123.457");
    EXPECT_EQ(text("1.0005", 3, Rounding::halfAwayFromZero), "1.001");
    EXPECT_EQ(text("-1.0005", 3, Rounding::halfAwayFromZero), "-1.001");
    EXPECT_EQ(text("3456.7895", 3, Rounding::halfAwayFromZero), "3456.790");
    EXPECT_EQ(text("0.125", 2, Rounding::halfToEven), "0.12");
    EXPECT_EQ(text("0.375", 2, Rounding::halfToEven), "0.38");
    EXPECT_EQ(text("9.9996", 3, Rounding::halfAwayFromZero), "10.000");
    EXPECT_EQ(text("-0.0004", 3, Rounding::halfAwayFromZero), "0.000");
    // Far below half a unit: zero, and zero has no sign.
    EXPECT_EQ(text("-0.00001", 3, Rounding::halfAwayFromZero), "0.000");
    EXPECT_EQ(text("-0.035191175", 0, Rounding::halfToEven), "0");
    EXPECT_EQ(EntryValue::text("-0.00001").display(Pattern::threeDecimals), "0.000");
    EXPECT_EQ(EntryValue::text("-1e-9").display(Pattern::fiveDecimals), "0.00000");
    EXPECT_EQ(text("1e3", 3, Rounding::halfAwayFromZero), "1000.000");
    // Typed digits beyond what a double holds are rounded as typed.
    EXPECT_EQ(text("1234567890123456789.0005", 3, Rounding::halfAwayFromZero), "1234567890123456789.001");
    EXPECT_EQ(text("-1e15", 5, Rounding::halfAwayFromZero), "-1000000000000000.00000");
    EXPECT_EQ(EntryValue::text("99999999999999999.99999").display(Pattern::threeDecimals), "100000000000000000.000");
    EXPECT_EQ(EntryValue::text("0.000005").display(Pattern::fiveDecimals), "0.00001");
    EXPECT_EQ(EntryValue::text("-0.0005").display(Pattern::threeDecimalsBare), "-.001");
    EXPECT_EQ(formatFixed(*parseDecimal("0.25"), 3, Rounding::halfAwayFromZero, false), ".250");
    EXPECT_EQ(formatFixed(*parseDecimal("-0.25"), 3, Rounding::halfAwayFromZero, false), "-.250");
}

TEST(StartSideNumber, RoundsHalvesToEvenWithinSixteenBits) {
    const auto whole = [](const char* typed) { return roundToInt16(*parseDecimal(typed)); };
    EXPECT_EQ(whole("2.5"), 2);
    EXPECT_EQ(whole("3.5"), 4);
    EXPECT_EQ(whole("3.4"), 3);
    EXPECT_EQ(whole("-2.5"), -2);
    EXPECT_EQ(whole("2.50000000000000000001"), 3);
    EXPECT_EQ(whole("32767"), 32767);
    EXPECT_EQ(whole("-32768.5"), -32768);
    EXPECT_FALSE(whole("32767.5"));
    EXPECT_FALSE(whole("32768"));
    EXPECT_FALSE(whole("-32769"));
    EXPECT_FALSE(whole("1e400"));
}

TEST(PackedAngles, SplitTheTypedDigitsIntoDegreesMinutesSeconds) {
    const auto degrees = [](const char* typed) { return *toDegrees(EntryValue::text(typed)); };
    EXPECT_DOUBLE_EQ(degrees("45.3015"), 45 + 30.0 / 60 + 15.0 / 3600);
    EXPECT_EQ(degrees("45.3015"), (45.0 + 30.0 / 60) + 15.0 / 3600);
    EXPECT_EQ(degrees("10.2"), (10.0 + 20.0 / 60) + 0.0 / 3600);  // 10.2 × 100 is not truncated to 1019
    EXPECT_EQ(degrees("1.13"), (1.0 + 13.0 / 60) + 0.0 / 3600);
    EXPECT_EQ(degrees("60"), 60.0);
    EXPECT_EQ(degrees("0.0030"), 30.0 / 3600);
    EXPECT_EQ(degrees("10.7500"), 11.25);
    EXPECT_EQ(degrees("45.30155"), (45.0 + 30.0 / 60) + 15.5 / 3600);
    EXPECT_EQ(degrees("-45.3015"), -degrees("45.3015"));
    EXPECT_EQ(degrees("4.53015e1"), degrees("45.3015"));
    EXPECT_FALSE(toDegrees(EntryValue::text("45.30.15")));
    EXPECT_FALSE(toDegrees(EntryValue::text("")));
    EXPECT_FALSE(toDegrees(EntryValue::text("1e400")));
}

TEST(PackedAngles, AgreeWithAReferenceSplitOfTheTypedText) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> degrees(0, 400), minutes(0, 99), decimals(0, 13);
    std::uniform_int_distribution<long long> digits(0, 9999999999999LL);
    for (int trial = 0; trial < 20000; ++trial) {
        const int places = decimals(random);
        std::string seconds = std::to_string(digits(random) % static_cast<long long>(std::pow(10, places + 2)));
        seconds.insert(0, static_cast<std::size_t>(places + 2) - std::min<std::size_t>(seconds.size(), places + 2), '0');
        char mm[3];
        std::snprintf(mm, sizeof mm, "%02d", minutes(random));
        const std::string typed = std::to_string(degrees(random)) + "." + mm + seconds;
        const std::string secondsText = seconds.substr(0, 2) + "." + seconds.substr(2);
        const double reference = (std::stod(typed.substr(0, typed.find('.'))) + std::stoi(mm) / 60.0) +
                                 std::strtod(secondsText.c_str(), nullptr) / 3600;
        ASSERT_EQ(*toDegrees(EntryValue::text(typed)), reference) << typed;
        ASSERT_EQ(toDegrees(*parseDecimal(typed)), reference) << typed;
        ASSERT_EQ(*toDegrees(EntryValue::text("-" + typed)), -reference) << typed;
    }
}

TEST(PackedAngles, LikelyMistypesWarnedAlikeFromTheTextAndFromTheRunsReading) {
    const std::tuple<EnteredValue, const char*, const char*> cases[] = {
        {EnteredValue::b3, "44.6112", "读作 61 分 12 秒"}, {EnteredValue::b3, "-10.5960", "不是大于 0°"},
        {EnteredValue::b3, "45.3015", ""},                {EnteredValue::b3, "1e-300", "不是大于 0°"},
        {EnteredValue::b3, "179.6000", "不是大于 0°"},     {EnteredValue::b3, "x", ""},
        {EnteredValue::Qa, "359.6000", "读作 60 分 0 秒"}, {EnteredValue::Qa, "0.0060", "读作 0 分 60 秒"},
        {EnteredValue::Qa, "0", ""},                      {EnteredValue::startSideNumber, "2.5", "取整为 2"},
        {EnteredValue::startSideNumber, "3", ""}};
    for (const auto& [value, typed, expected] : cases) {
        const std::string warning = replyWarning(value, typed);
        EXPECT_TRUE(*expected ? warning.find(expected) != std::string::npos : warning.empty()) << typed << ": " << warning;
        const EntryValue reading = EntryValue::text(typed);
        EXPECT_EQ(replyWarning(value, reading, toDegrees(reading)), warning) << typed;
    }
}

}  // namespace
}  // namespace morvalen
