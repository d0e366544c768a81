// The terminal the program runs in: whether a standard stream is a person's terminal, and UTF-8 on the Windows
// console, whose code page is otherwise a local one that shows the Chinese prompts as stray characters.
#pragma once

#include <cstdio>

namespace morvalen::cli {

bool isTerminal(std::FILE* stream);

// Windows: the console shows and reads UTF-8. Elsewhere terminals are UTF-8 already: nothing to do.
void useUtf8Console();

}  // namespace morvalen::cli
