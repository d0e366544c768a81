// The GB 18030 bytes the C library's iconv writes for one code point, for the table maker and for the test that
// compares the table with iconv.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>

namespace morvalen::files {

// `converter` converts UTF-32LE to GB18030. Empty where iconv refuses the code point.
inline std::string iconvGb18030Bytes(iconv_t converter, char32_t codePoint) {
    char in[4];
    for (int k = 0; k < 4; ++k) in[k] = static_cast<char>((codePoint >> (8 * k)) & 0xFF);
    char out[16];
    char* from = in;
    char* to = out;
    std::size_t fromLeft = sizeof in, toLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) return {};
    return std::string(out, static_cast<std::size_t>(to - out));
}

}  // namespace morvalen::files
