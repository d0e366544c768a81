// The command line of morvalen-cli in the interface language, and the checks of its output files before the run.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>
#include <vector>

namespace morvalen::cli {

// Chinese help: the labels of CLI11's formatter, the help and version flags, and the message of a usage error,
// which names the argument and the reason, then points at --help.
void useChineseCommandLine(CLI::App& app, const std::string& version);

// The option --lang of the program, declared again on each subcommand, so that it may also follow one.
void addLanguageOption(CLI::App& command);

// Chooses the language of every text from --lang among the arguments (after a subcommand too), or from the locale
// environment without it. Called first, before any text is made: the help texts are in the chosen language too.
// Gives back why --lang en is refused (in Chinese) where this build or its installation has no English catalogue,
// empty otherwise; an English locale without --lang leaves such a build in Chinese.
std::string useChosenLanguage(int argc, const char* const argv[]);

// The groups of the help: the options, and the subcommands.
const char* optionsGroup();
const char* subcommandsGroup();

// A subcommand of `app`, listed among the subcommands of the help, its own help among its options.
CLI::App* addSubcommand(CLI::App& app, const char* name, const char* description);

// A file name option: an empty name is a usage error.
const CLI::Validator& fileName();

// Checks every output asked for (UTF-8 names; empty: not asked for) before the first prompt: none may be an input
// under any spelling (a file only extended by a row is refused too: the row would be read and saved twice), another
// output, a folder, an existing file the user may not write, or in a folder the user may not write. Returns the
// message of the first refused, empty when all can be written.
std::string refusedOutput(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs);

}  // namespace morvalen::cli
