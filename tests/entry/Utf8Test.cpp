#include <gtest/gtest.h>

#include <random>

#include "entry/Utf8.h"

namespace morvalen {
namespace {

TEST(Utf8, ValidityAgreesWithTheRepair) {
    const std::string samples[] = {
        "", "A", "北山,一号", "\xF0\x9F\x98\x80",  // ASCII, CJK, a four-byte sequence
        "\xC0\xAF",                              // overlong "/"
        "\xE0\x80\xAF",                          // overlong three-byte
        "\xED\xA0\x80",                          // a surrogate
        "\xF4\x90\x80\x80",                      // beyond U+10FFFF
        "\xE5\x8C",                              // cut short
        "ab\x80", "\xFF", "\xEF\xBF\xBD"};
    for (const auto& sample : samples) {
        EXPECT_EQ(isValidUtf8(sample), validUtf8(sample) == sample) << sample;
    }
    EXPECT_EQ(validUtf8("\xE5\x8C"), "\xEF\xBF\xBD\xEF\xBF\xBD");

    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 12);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string bytes;
        for (int i = length(random); i > 0; --i) bytes += static_cast<char>(byte(random) | (i % 2 ? 0x80 : 0));
        ASSERT_EQ(isValidUtf8(bytes), validUtf8(bytes) == bytes);
    }
}

}  // namespace
}  // namespace morvalen
