#include "files/Gb18030.h"

#include <algorithm>

#include "entry/Utf8.h"
#include "files/Gb18030Table.h"
#include "files/TextCodec.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

// The four-byte sequence of an index: b1 b2 b3 b4 with index = ((b1 − 0x81) × 10 + b2 − 0x30) × 1260
// + (b3 − 0x81) × 10 + b4 − 0x30.
std::string fourBytes(std::uint32_t index) {
    std::string bytes(4, '\0');
    bytes[3] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    bytes[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    bytes[1] = static_cast<char>(0x30 + index % 10);
    bytes[0] = static_cast<char>(0x81 + index / 10);
    return bytes;
}

std::string twoBytes(std::uint16_t code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

// True when the bytes begin a well-formed UTF-8 sequence that the piece cut short: some continuation byte
// completes it (0x80 or 0xA0 fits the second byte after any lead).
bool cutShort(std::string_view rest) {
    if (rest.size() >= 4) return false;
    for (const char filler : {'\x80', '\xA0'}) {
        std::string completed(rest);
        completed.append(3, filler);
        const Utf8Character character = utf8CharacterAt(completed, 0);
        if (character.wellFormed && character.length > rest.size()) return true;
    }
    return false;
}

}  // namespace

std::string gb18030Bytes(char32_t codePoint) {
    if (codePoint < 0x80) return std::string(1, static_cast<char>(codePoint));
    if (codePoint <= 0xFFFF && gb18030::twoByteCodes[codePoint] != 0) return twoBytes(gb18030::twoByteCodes[codePoint]);
    for (const gb18030::TwoByteCode& two : gb18030::twoByteCodesBeyondFirstPlane) {
        if (two.codePoint == codePoint) return twoBytes(two.code);
    }
    // The last run that begins at or before the code point.
    const auto& runs = gb18030::fourByteRuns;
    const auto beginsAfter = [](char32_t wanted, const gb18030::FourByteRun& run) { return wanted < run.first; };
    const auto after = std::upper_bound(runs.begin(), runs.end(), codePoint, beginsAfter);
    if (after == runs.begin() || codePoint > std::prev(after)->last) return {};
    return fourBytes(std::prev(after)->firstIndex + (codePoint - std::prev(after)->first));
}

Gb18030Piece gb18030FromUtf8(std::string_view utf8, std::size_t offset) {
    Gb18030Piece piece;
    while (piece.used < utf8.size()) {
        const Utf8Character character = utf8CharacterAt(utf8, piece.used);
        if (!character.wellFormed) {
            if (cutShort(utf8.substr(piece.used))) break;
            throw InvalidText(i18n::translate("字节不是文字"), offset + piece.used);
        }
        const std::string bytes = gb18030Bytes(character.codePoint);
        if (bytes.empty()) throw InvalidText(i18n::translate("无法转换"), offset + piece.used);
        piece.bytes += bytes;
        piece.used += character.length;
    }
    return piece;
}

}  // namespace morvalen::files
