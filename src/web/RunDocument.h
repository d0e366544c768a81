// One computation on the page as the terminal's --json gives it: prompts, fields, captions, stopped, report, and
// the steps, checks and precision where they are asked.
#pragma once

#include <nlohmann/json.hpp>

#include "cli/ChecksOutput.h"
#include "cli/TerminalPrompt.h"
#include "command/ComputeCommand.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen::web {

struct DocumentOptions {
    bool steps = false;
    cli::CheckOptions checks;  // neither a grade nor σ: no checks
};

struct RunResult {
    nlohmann::ordered_json document;
    SurveyState state;
    ComputationSteps steps;
};

// Runs the compute command with the replies the prompt gives (read from lines, or given by the table); a stopped
// run is caught and reported in the document.
RunResult runDocument(cli::TerminalPrompt& prompt, const DocumentOptions& options);

}  // namespace morvalen::web
