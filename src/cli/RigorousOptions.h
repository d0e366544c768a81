// The rigorous adjustment in the terminal: --rigorous with --field-book and its σ options.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>

#include "document/RigorousOutput.h"

namespace morvalen::cli {

// --rigorous (needs `fieldBook`), --sigma-direction SEC and --distance-sigma A,B.
void addRigorousOptions(CLI::App& app, document::RigorousOptions& options, CLI::Option* fieldBook);

// The rigorous adjustment of a completed run from the field book that gave its angles. None, with the reason on
// stderr, where it cannot be carried out (the run stopped, the mixed case, a network the observations cannot fix).
std::optional<rigorous::RigorousRun> rigorousOf(const document::RigorousOptions& options, const SurveyState& state,
                                                const fieldbook::FieldBookReduction* reduction);

}  // namespace morvalen::cli
