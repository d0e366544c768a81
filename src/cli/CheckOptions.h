// The options of the terminal that ask for the checks: --grade and --sigma.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "document/ChecksOutput.h"

namespace morvalen::cli {

// Adds --grade and --sigma (excluding each other) to a command.
void addCheckOptions(CLI::App& command, document::CheckOptions& options);

// Adds --grade alone; an unknown grade is refused with a message that lists the grades.
CLI::Option* addGradeOption(CLI::App& command, std::string& gradeName, const std::string& description);

}  // namespace morvalen::cli
