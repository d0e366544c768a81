// Text that reaches the program from outside the window toolkit (a terminal, a file) may be any bytes.
#pragma once

#include <string>
#include <string_view>

namespace morvalen {

// The text with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD, as a window's input line
// would never let it through.
std::string validUtf8(std::string_view bytes);

// True when every byte sequence of the text is well-formed UTF-8, so that validUtf8 would give it unchanged.
bool isValidUtf8(std::string_view bytes);

// One character of a UTF-8 text: its code point and the bytes it takes. A byte that begins no well-formed sequence
// (a stray continuation byte, an overlong form, a surrogate, a sequence cut short) is a character of its own, one
// byte long, with `wellFormed` false and the code point U+FFFD.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 1;  // bytes
    bool wellFormed = false;
};

// The character that begins at byte `at` of the text (`at` < the text's size).
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);

// Whether a code point is a control character: C0 (U+0000 to U+001F), DEL, C1 (U+0080 to U+009F).
bool isControlCharacter(char32_t codePoint);

// The text with every control character written as an escape a reader sees instead of a terminal obeying it:
// "\x1b" for C0 and DEL (a line break is "\x0a"), "\u009b" for C1. A byte that is no well-formed UTF-8 stays as it
// is. Other text is unchanged: "东山" stays "东山".
std::string escapedControls(std::string_view text);

// The text without the blanks and tabs around it: a cell of a file, a field of an instrument's record.
std::string trimmed(std::string_view text);

// The first `maximumCodePoints` code points of a valid UTF-8 text, with "…" behind when anything was cut.
std::string shortenedUtf8(std::string_view text, std::size_t maximumCodePoints);

}  // namespace morvalen
