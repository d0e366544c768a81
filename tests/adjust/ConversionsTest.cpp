#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "adjust/AngleConversions.h"
#include "form/FieldText.h"

namespace morvalen {
namespace {

const double radiansPerDegree = 3.1415926535 / 180;

TEST(Dms, PacksDecimalDegreesWithoutCarry) {
    EXPECT_NEAR(toDms(45.5041666666667), 45.3015, 1e-12);
    EXPECT_NEAR(toDms(-45.5041666666667), -45.3015, 1e-12);
    // Just short of a whole minute the seconds read 60: no carry into the minutes.
    EXPECT_NEAR(toDms(30.99999999), 30.5959999964, 1e-9);
    EXPECT_EQ(roundedFixed(toDms(30.99999999), 5), "30.59600");
}

TEST(LogSineAndPoleCoefficient, UseTheTenDecimalPi) {
    EXPECT_NEAR(log10Sine(90, radiansPerDegree), 10.0, 1e-15);
    EXPECT_NEAR(log10Sine(30, radiansPerDegree), 10 + std::log10(0.5), 1e-9);
    EXPECT_NEAR(poleCoefficient(45, radiansPerDegree), 2.1055, 1e-9);
    // π to ten decimals: 90° has a huge finite tangent, 180° a tiny positive sine.
    EXPECT_TRUE(std::isfinite(std::tan(radiansPerDegree * 90)));
    EXPECT_LT(std::abs(poleCoefficient(90, radiansPerDegree)), 1e-9);
    EXPECT_GT(std::sin(radiansPerDegree * 180), 0.0);
    EXPECT_TRUE(std::isfinite(poleCoefficient(180, radiansPerDegree)));
}

TEST(ResultTexts, RoundHalfToEvenOnTheStoredValue) {
    EXPECT_EQ(secondsText(0.125f), " 0.12 秒");
    EXPECT_EQ(secondsText(0.375f), " 0.38 秒");
    EXPECT_EQ(secondsText(-1.2f), " -1.20 秒");
    EXPECT_EQ(secondsText(-0.004f), " 0.00 秒");
    EXPECT_EQ(secondsText(-1e-9f), " 0.00 秒");
    EXPECT_EQ(logUnitsText(3.0f), " 3.00 单位");
    // A single is rounded as that single: 2.675f is 2.67499995..., not a tie.
    EXPECT_EQ(roundedFixed(2.675f, 2), "2.67");
    EXPECT_EQ(reciprocalWeightText(5.296184), "5.29618");
    EXPECT_EQ(reciprocalWeightText(0.0), "0.00000");
}

// Ties of the binary value at every pattern's last place, numbers of 10^15 and beyond (more digits than a double
// holds: the exact binary value is written out), and negative values that round to zero.
TEST(ResultTexts, TiesLargeValuesAndNegativeZero) {
    EXPECT_EQ(roundedFixed(2.5, 0), "2");
    EXPECT_EQ(roundedFixed(3.5, 0), "4");
    EXPECT_EQ(roundedFixed(0.125, 2), "0.12");
    EXPECT_EQ(roundedFixed(-0.375, 2), "-0.38");
    EXPECT_EQ(roundedFixed(0.0625, 3), "0.062");
    EXPECT_EQ(roundedFixed(1000.4375, 3), "1000.438");
    EXPECT_EQ(roundedFixed(0.015625, 5), "0.01562");
    EXPECT_EQ(roundedFixed(0.046875, 5), "0.04688");
    EXPECT_EQ(roundedFixed(1e15, 3), "1000000000000000.000");
    EXPECT_EQ(roundedFixed(-123456789012345678.0, 2), "-123456789012345680.00");
    EXPECT_EQ(roundedFixed(1e22, 5), "10000000000000000000000.00000");
    EXPECT_EQ(roundedFixed(1.7976931348623157e308, 0).size(), 309u);
    EXPECT_EQ(roundedFixed(-0.004999, 2), "0.00");
    EXPECT_EQ(roundedFixed(-0.0000049, 5), "0.00000");
    EXPECT_EQ(roundedFixed(-0.0, 3), "0.000");
    EXPECT_EQ(roundedFixed(-5e-324, 5), "0.00000");
    EXPECT_EQ(roundedFixed(-0.000005, 5), "-0.00001") << "just above the tie in binary";
}

TEST(ResultTexts, AgreeWithPrintfOnTheExactBinaryValue) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> wide(-2e12, 2e12), narrow(-2000, 2000);
    for (int trial = 0; trial < 300000; ++trial) {
        double value = trial % 2 ? wide(random) : narrow(random);
        if (trial % 5 == 0) value = std::ldexp(static_cast<double>(random() % 200001) - 100000, -(trial % 23));  // ties
        if (trial % 7 == 0) value = std::ldexp(narrow(random), -(trial % 1000));                             // tiny
        for (int decimals : {0, 2, 3, 5, 6}) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            std::string printed = expected;
            if (printed.front() == '-' && printed.find_first_of("123456789") == std::string::npos) printed.erase(0, 1);
            ASSERT_EQ(roundedFixed(value, decimals), printed) << std::hexfloat << value << " " << decimals;
        }
    }
}

TEST(ResultTexts, GeneralFormOfASingle) {
    EXPECT_EQ(generalForm(353081.0f), "353081");
    EXPECT_EQ(generalForm(9999999.0f), "9999999");
    EXPECT_EQ(generalForm(-353081.0f), "-353081");
    EXPECT_EQ(generalForm(2.5f), "2.5");
    EXPECT_EQ(generalForm(12345678.0f), "1.234568E+07");
    EXPECT_EQ(generalForm(10000000.0f), "1E+07");
    EXPECT_EQ(generalForm(43429000.0f), "4.3429E+07");
    EXPECT_EQ(generalForm(0.0f), "0");
    EXPECT_EQ(generalForm(0.5f), "0.5");
    EXPECT_EQ(generalForm(0.00001f), "1E-05");
    EXPECT_EQ(relativeErrorText(282331.0f), " 1/282331");
    EXPECT_EQ(relativeErrorText(12345678.0f), " 1/1.234568E+07");
}

}  // namespace
}  // namespace morvalen
