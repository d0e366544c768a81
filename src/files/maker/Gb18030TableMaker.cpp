// Writes the GB 18030 table the program writes that encoding from, asking this machine's iconv for every code point,
// so that the browser, whose C library reads GB 18030 but cannot write it, writes the same bytes as the terminal.
// Run at build time on the build machine:
//   gb18030-table-maker OUTPUT.cpp
//
// GB 18030 gives a code point one byte (ASCII), two bytes (the characters of GBK and those the standard added to
// them, six of them beyond the first plane) or four. The four-byte sequences count up in the order of the code points that have no shorter form, so
// they are kept as runs: a first code point, a last one and the four-byte index of the first. The index of a
// four-byte sequence b1 b2 b3 b4 is ((b1 − 0x81) × 10 + b2 − 0x30) × 1260 + (b3 − 0x81) × 10 + b4 − 0x30.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "IconvGb18030.h"

namespace {

struct TwoByteCode {
    char32_t codePoint;
    std::uint16_t code;
};

struct FourByteRun {
    char32_t first;
    char32_t last;
    std::uint32_t firstIndex;
};

std::uint32_t fourByteIndex(const std::string& bytes) {
    const auto byte = [&](int k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k])); };
    return ((byte(0) - 0x81) * 10 + byte(1) - 0x30) * 1260 + (byte(2) - 0x81) * 10 + byte(3) - 0x30;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gb18030-table-maker OUTPUT.cpp\n";
        return 2;
    }
    iconv_t converter = iconv_open("GB18030", "UTF-32LE");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        std::cerr << "gb18030-table-maker: this machine's iconv cannot write GB 18030\n";
        return 1;
    }
    std::vector<std::uint16_t> twoByteCodes(0x10000, 0);
    std::vector<TwoByteCode> beyondFirstPlane;
    std::vector<FourByteRun> runs;
    for (char32_t codePoint = 0x80; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;  // surrogates are no characters
        const std::string bytes = morvalen::files::iconvGb18030Bytes(converter, codePoint);
        if (bytes.size() == 2) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                         static_cast<unsigned char>(bytes[1]));
            if (codePoint <= 0xFFFF) twoByteCodes[codePoint] = code;
            else beyondFirstPlane.push_back({codePoint, code});
        } else if (bytes.size() == 4) {
            const std::uint32_t index = fourByteIndex(bytes);
            if (!runs.empty() && runs.back().last + 1 == codePoint &&
                runs.back().firstIndex + (codePoint - runs.back().first) == index) {
                runs.back().last = codePoint;
            } else {
                runs.push_back({codePoint, codePoint, index});
            }
        } else if (!bytes.empty()) {
            std::cerr << "gb18030-table-maker: U+" << std::hex << static_cast<std::uint32_t>(codePoint) << " gives "
                      << std::dec << bytes.size() << " bytes\n";
            return 1;
        }
    }
    iconv_close(converter);

    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made at build time by gb18030-table-maker from this machine's iconv. Do not edit.\n"
        << "#include \"files/Gb18030Table.h\"\n\nnamespace morvalen::files::gb18030 {\n\n"
        << "const std::array<std::uint16_t, 0x10000> twoByteCodes = {\n";
    char text[16];
    for (std::size_t codePoint = 0; codePoint < twoByteCodes.size(); ++codePoint) {
        std::snprintf(text, sizeof text, "0x%04X,", static_cast<unsigned>(twoByteCodes[codePoint]));
        out << text << (codePoint % 16 == 15 ? "\n" : "");
    }
    out << "};\n\nnamespace {\n\nconst TwoByteCode beyondFirstPlane[] = {\n";
    for (const TwoByteCode& two : beyondFirstPlane) {
        std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(two.codePoint));
        out << "    {" << text;
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(two.code));
        out << ", " << text << "},\n";
    }
    out << "};\n\nconst FourByteRun runs[] = {\n";
    for (const FourByteRun& run : runs) {
        std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(run.first));
        out << "    {" << text;
        std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(run.last));
        out << ", " << text << ", " << run.firstIndex << "},\n";
    }
    out << "};\n\n}  // namespace\n\n"
        << "const std::span<const TwoByteCode> twoByteCodesBeyondFirstPlane(beyondFirstPlane);\n"
        << "const std::span<const FourByteRun> fourByteRuns(runs);\n\n}  // namespace morvalen::files::gb18030\n";
    out.close();
    if (!out) {
        std::cerr << "gb18030-table-maker: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
