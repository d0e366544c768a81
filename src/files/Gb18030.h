// GB 18030 written by the program itself, from the table made at build time from the build machine's iconv: the
// browser's C library reads GB 18030 but cannot write it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvalen::files {

// The GB 18030 bytes of one code point (one, two or four); empty where the encoding has none: a surrogate, or one
// of the code points of the private use area whose characters the standard moved to code points of their own.
std::string gb18030Bytes(char32_t codePoint);

// A piece of UTF-8 in GB 18030: the bytes of its whole characters, and how many bytes of the piece they took (a
// character cut at the end of the piece is left for the next one).
struct Gb18030Piece {
    std::string bytes;
    std::size_t used = 0;
};

// Throws InvalidText (files/TextCodec.h) at bytes that are no UTF-8 or at a character GB 18030 has no bytes for;
// its offset is `offset` plus the bytes of the piece before them.
Gb18030Piece gb18030FromUtf8(std::string_view utf8, std::size_t offset);

}  // namespace morvalen::files
