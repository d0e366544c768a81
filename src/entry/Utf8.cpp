#include "entry/Utf8.h"

#include <cstdio>

namespace morvalen {
namespace {

// Length of the well-formed UTF-8 sequence starting at `i`, or 0 when the bytes there are not one.
std::size_t sequenceLength(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead >= 0xE1 && lead <= 0xEC) length = 3;
    else if (lead == 0xED) length = 3, high = 0x9F;  // no surrogates
    else if (lead >= 0xEE && lead <= 0xEF) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    else return 0;
    if (i + length > bytes.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

Utf8Character utf8CharacterAt(std::string_view text, std::size_t at) {
    const std::size_t length = sequenceLength(text, at);
    if (length == 0) return {0xFFFD, 1, false};
    const auto lead = static_cast<unsigned char>(text[at]);
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    return {codePoint, length, true};
}

std::string validUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Character character = utf8CharacterAt(bytes, i);
        if (character.wellFormed) text.append(bytes.substr(i, character.length));
        else text += "\xEF\xBF\xBD";
        i += character.length;
    }
    return text;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Character character = utf8CharacterAt(bytes, i);
        if (!character.wellFormed) return false;
        i += character.length;
    }
    return true;
}

bool isControlCharacter(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F); }

std::string escapedControls(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = utf8CharacterAt(text, i);
        if (character.wellFormed && isControlCharacter(character.codePoint)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, character.codePoint < 0x80 ? "\\x%02x" : "\\u%04x",
                          static_cast<unsigned>(character.codePoint));
            shown += escape;
        } else {
            shown.append(text.substr(i, character.length));
        }
        i += character.length;
    }
    return shown;
}

std::string shortenedUtf8(std::string_view text, std::size_t maximumCodePoints) {
    std::size_t codePoints = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (codePoints == maximumCodePoints) return std::string(text.substr(0, i)) + "…";
            ++codePoints;
        }
    }
    return std::string(text);
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace morvalen
