// One computation on the page, and its JSON document as the terminal's --json gives it.
#pragma once

#include <nlohmann/json.hpp>

#include "analysis/Analysis.h"
#include "document/ChecksOutput.h"
#include "cli/TerminalPrompt.h"
#include "command/RunRecord.h"
#include "document/ChecksOutput.h"
#include "entry/FieldModel.h"
#include "web/RepliesPrompt.h"

namespace morvalen::web {

struct PageOptions {
    bool steps = false;
    document::CheckOptions checks;  // neither a grade nor σ: no checks
};

struct PageRun {
    RunRecord record;
    analysis::Analysis analysed;
    nlohmann::ordered_json document;
};

// The compute command with the replies the prompt gives, as the terminal runs it; a stop is in the record.
PageRun runReplies(RepliesPrompt& prompt, const PageOptions& options);

// The computation of the values of the table, its fields written as the dialogue with the same values writes them;
// the document shows no prompts.
PageRun runTable(const Observations& observations, const PageOptions& options);

}  // namespace morvalen::web
