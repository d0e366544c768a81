// The terminal the program runs in: whether a standard stream is a person's terminal, and UTF-8 on the Windows
// console, whose code page is otherwise a local one that shows the Chinese prompts as stray characters.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace morvalen::cli {

bool isTerminal(std::FILE* stream);

// From now on the stream shows every control character but the line break and the tab escaped ("\x1b", "\u009b"),
// so that a name or a file name with an escape sequence cannot set the terminal's title or clear its screen. For
// the streams that carry messages and listings to a person, never for one that carries a file's bytes.
void escapeControlsOn(std::ostream& stream);

// Windows: the console shows and reads UTF-8. Elsewhere terminals are UTF-8 already: nothing to do.
void useUtf8Console();

// Memory that runs out anywhere (a campaign too large for the machine) ends the program with a message that says so
// on stderr, rather than with an unexplained abort; the files being written keep their old contents.
void stopClearlyWhenMemoryRunsOut();

// The program's arguments in UTF-8, its name first. Windows hands `main` its arguments in the local code page, in
// which a grade such as 四等 or a file name in Chinese turns into question marks; they are taken from the wide
// command line instead. Elsewhere the arguments are UTF-8 already and are returned as they came.
std::vector<std::string> utf8Arguments(int argc, char** argv);

}  // namespace morvalen::cli
