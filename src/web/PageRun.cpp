#include "web/PageRun.h"

#include "document/RunDocument.h"

namespace morvalen::web {
namespace {

void addDocument(PageRun& run, const std::vector<std::string>& prompts, const FieldModel& fields,
                 const PageOptions& options) {
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();
    run.analysed = analysis::analyse(run.record, standard);
    run.document = document::runDocument(prompts, fields, run.record, run.analysed, {options.steps, standard.has_value()});
}

}  // namespace

PageRun runReplies(RepliesPrompt& prompt, const PageOptions& options) {
    PageRun run;
    FieldModel fields;
    try {
        runComputeCommand(prompt, fields, run.record);
    } catch (const RunStopped&) {
        // The record holds the stop; the document reports it.
    }
    addDocument(run, prompt.promptsShown(), fields, options);
    return run;
}

PageRun runTable(const Observations& observations, const PageOptions& options) {
    PageRun run;
    computeRun(observations, run.record);
    FieldModel fields;
    showRun(run.record, fields);
    addDocument(run, {}, fields, options);
    return run;
}

}  // namespace morvalen::web
