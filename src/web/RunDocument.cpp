#include "web/RunDocument.h"

#include "cli/RunOutput.h"
#include "cli/StepsOutput.h"
#include "analysis/Analysis.h"

namespace morvalen::web {

RunResult runDocument(cli::TerminalPrompt& prompt, const DocumentOptions& options) {
    RunResult result;
    cli::TerminalFields fields(nullptr);
    std::optional<RunStopped> stop;
    try {
        runComputeCommand(result.state, prompt, fields, result.steps);
    } catch (const RunStopped& stopped) {
        stop = stopped;
    }
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();
    const analysis::Analysis analysed = analysis::analyse(result.state, standard);
    nlohmann::ordered_json& document = result.document;
    document["prompts"] = prompt.promptsShown();
    document["fields"] = cli::fieldsJson(fields);
    document["captions"] = cli::captionsJson(fields);
    document["stopped"] = cli::stopJson(stop);
    document["report"] = cli::reportJson(result.state);
    if (options.steps) document["steps"] = cli::stepsJson(result.steps);
    if (standard) {
        document["checks"] = cli::checksJson(analysed.checks);
        document["precision"] = cli::precisionJson(analysed.precision);
    }
    return result;
}

}  // namespace morvalen::web
