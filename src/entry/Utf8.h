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

// The first `maximumCodePoints` code points of a valid UTF-8 text, with "…" behind when anything was cut.
std::string shortenedUtf8(std::string_view text, std::size_t maximumCodePoints);

}  // namespace morvalen
