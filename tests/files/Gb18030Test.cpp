// GB 18030 from the program's own table against the C library's iconv, which writes it on this machine.
#include <gtest/gtest.h>

#include "files/Gb18030.h"
#include "files/TextCodec.h"
#include "files/maker/IconvGb18030.h"

namespace morvalen::files {
namespace {

// Every code point, the first plane and the four-byte ones beyond it: the same bytes, or refused by both.
TEST(Gb18030, EveryCodePointAsIconvWritesIt) {
    iconv_t converter = iconv_open("GB18030", "UTF-32LE");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    std::size_t differing = 0, oneByte = 0, twoBytes = 0, fourBytes = 0;
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            EXPECT_EQ(gb18030Bytes(codePoint), "");
            continue;
        }
        const std::string expected = iconvGb18030Bytes(converter, codePoint), actual = gb18030Bytes(codePoint);
        if (actual != expected && ++differing <= 5) ADD_FAILURE() << "U+" << std::hex << std::uint32_t{codePoint};
        (expected.size() == 1 ? oneByte : expected.size() == 2 ? twoBytes : fourBytes) += 1;
    }
    iconv_close(converter);
    EXPECT_EQ(differing, 0u);
    EXPECT_EQ(oneByte, 128u);
    EXPECT_GT(twoBytes, 21000u);  // GBK and more
    EXPECT_GT(fourBytes, 1000000u);
}

// A text in pieces cut anywhere gives the bytes of the whole; bytes that are no UTF-8 and characters without GB 18030
// bytes are refused where they stand.
TEST(Gb18030, PiecesAndRefusals) {
    const std::string text = "北山,1\r\nA€é𝄞\u00b7";
    const std::string whole = gb18030FromUtf8(text, 0).bytes;
    EXPECT_EQ(whole.substr(0, 4), "\xB1\xB1\xC9\xBD");
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const Gb18030Piece first = gb18030FromUtf8(text.substr(0, cut), 0);
        EXPECT_EQ(first.bytes + gb18030FromUtf8(text.substr(first.used), first.used).bytes, whole) << cut;
    }
    const struct {
        std::string utf8;
        std::size_t offset;
    } refused[] = {{"ab\xFF", 12}, {"a\xC3(", 11}, {"a\xED\xA0\x80", 11}, {"ab\xEE\xA0\x96", 12}, {"\xE0\x80", 10}};
    for (const auto& each : refused) {
        try {
            gb18030FromUtf8(each.utf8, 10);
            ADD_FAILURE() << each.utf8;
        } catch (const InvalidText& invalid) {
            EXPECT_EQ(invalid.offset, each.offset) << each.utf8;
        }
    }
}

}  // namespace
}  // namespace morvalen::files
