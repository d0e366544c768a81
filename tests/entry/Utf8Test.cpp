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

TEST(Utf8, CharacterCodePointsAndLengths) {
    const struct {
        std::string text;
        char32_t codePoint;
        std::size_t length;
    } cases[] = {
        {"A", U'A', 1},           {"\xC3\xA9", U'\u00E9', 2}, {"北", U'北', 3},
        {"\xF0\x9F\x98\x80", U'\U0001F600', 4},
        {"\xC0\xAF", 0xFFFD, 1},  // overlong: the lead byte alone
        {"\xED\xA0\x80", 0xFFFD, 1}, {"\xE5\x8C", 0xFFFD, 1}, {"\x80", 0xFFFD, 1},
    };
    for (const auto& sample : cases) {
        const Utf8Character character = utf8CharacterAt(sample.text, 0);
        EXPECT_EQ(character.codePoint, sample.codePoint) << sample.text;
        EXPECT_EQ(character.length, sample.length) << sample.text;
        EXPECT_EQ(character.wellFormed, sample.codePoint != 0xFFFD) << sample.text;
    }
}

}  // namespace
}  // namespace morvalen
