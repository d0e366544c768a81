// The portable number texts give the same characters and readings as the standard library's to_chars/from_chars,
// which the browser build lacks.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <bit>
#include <random>

#include "form/NumberChars.h"

namespace {

using namespace morvalen;

// Values where digit generation goes wrong: ties, powers of two at the edges of their binade, the ends of the range,
// subnormals, and the kind of values the computation writes (coordinates, angles, seconds, closures in singles).
const double values[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3, 1e22, 1e23,
                         123456789012.0, 9007199254740993.0, 5e-324, 2.2250738585072014e-308, DBL_MAX, -DBL_MAX,
                         0x1p-1022, 0x1p53, 0x1p54, 0x1p-30, 0x1p1000, 1000.0005, 2.0005, 130.8625, 153.2505,
                         44.1312, 0.00001, 1e-7, 1234567.0, 3.4028234663852886e38, static_cast<double>(0.1f),
                         static_cast<double>(1.17549435e-38f), 3296.3945000000001, -0.0000004, 7e-5, 1e21, 1e15};

TEST(NumberChars, PortableTextsMatchTheStandardLibrary) {
    for (const double value : values) {
        for (const double v : {value, std::nextafter(value, 0.0), std::nextafter(value, DBL_MAX)}) {
            SCOPED_TRACE(v);
            EXPECT_EQ(numberChars::portable::shortest(v), numberChars::shortest(v));
            for (const int decimals : {0, 2, 3, 5, 17}) {
                EXPECT_EQ(numberChars::portable::fixed(v, decimals), numberChars::fixed(v, decimals));
                EXPECT_EQ(numberChars::portable::scientific(v, decimals), numberChars::scientific(v, decimals));
            }
            const std::optional<double> back = numberChars::portable::read(numberChars::shortest(v));
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(*back, v);
        }
    }
}

TEST(NumberChars, PortableShortestTextsMatchOverRandomBitPatterns) {
    std::mt19937_64 bits(37);
    for (int i = 0; i < 30000; ++i) {
        const double v = std::bit_cast<double>(bits());
        if (!std::isfinite(v)) continue;
        ASSERT_EQ(numberChars::portable::shortest(v), numberChars::shortest(v)) << v;
        const float single = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (std::isfinite(single)) {
            ASSERT_EQ(numberChars::portable::shortest(single), numberChars::shortest(single)) << single;
        }
    }
}

TEST(NumberChars, PortableReadingsMatchTheStandardLibrary) {
    const char* texts[] = {"0", "-0", "1e400", "-1e400", "1e-400", "1e-320", "4.9e-324", "2.4e-324", "2.5e-324",
                           "1.7976931348623157e308", "1.7976931348623159e308", "0.1e1", ".5", "5.", "1E5", "1e+5",
                           "+1", " 1", "1 ", "0x10", "inf", "nan", "1e", "1e+", "-", ".", "", "1..2", "1.2.3", "e5",
                           "9007199254740993", "130.86250000000000000000000000001", "00012.500"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(numberChars::portable::read(text), numberChars::read(text));
    }
}

}  // namespace
