// The GB 18030 table, made at build time from the build machine's iconv (src/files/maker/Gb18030TableMaker.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace morvalen::files::gb18030 {

struct TwoByteCode {
    char32_t codePoint;
    std::uint16_t code;  // lead byte × 256 + trail byte
};

// Code points first to last take the four-byte sequences of consecutive indexes from firstIndex on.
struct FourByteRun {
    char32_t first;
    char32_t last;
    std::uint32_t firstIndex;
};

// The two-byte code of each code point of the first plane, 0 where it has none.
extern const std::array<std::uint16_t, 0x10000> twoByteCodes;
// The few code points beyond the first plane that have two bytes.
extern const std::span<const TwoByteCode> twoByteCodesBeyondFirstPlane;
// In the order of their code points.
extern const std::span<const FourByteRun> fourByteRuns;

}  // namespace morvalen::files::gb18030
