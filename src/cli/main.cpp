// morvalen-cli: the compute command of Morvalen on a terminal.
//
//   morvalen-cli                 asks every value on the terminal, then shows the fields
//   morvalen-cli < run.replies   takes the replies from a file, one per line
//   morvalen-cli --json          prints only one JSON document: prompts, fields, captions, stop
//
// Exit status: 0 the computation completed, 3 it stopped (the reason also on stderr), 2 usage error.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "adjust/AdjustmentRun.h"
#include "cli/RunOutput.h"
#include "cli/TerminalPrompt.h"
#include "entry/RunStopped.h"

namespace {

using namespace morvalen;

struct Options {
    bool json = false;
};

// Runs one computation; a stopped run is caught here and returned, with everything written so far kept.
std::optional<RunStopped> Command1_Click(SurveyState& state, Prompt& asker, WindowFields& fields) {
    try {
        runComputeCommand(state, asker, fields);
        return std::nullopt;
    } catch (const RunStopped& stop) {
        return stop;
    }
}

int run(const Options& options) {
    const bool interactive = isatty(STDIN_FILENO) != 0;
    std::ostream* display = options.json ? nullptr : &std::cout;
    cli::TerminalPrompt prompt(std::cin, display, !interactive);
    cli::TerminalFields fields(display);
    SurveyState state;

    const std::optional<RunStopped> stop = Command1_Click(state, prompt, fields);

    if (options.json) {
        nlohmann::ordered_json document;
        document["prompts"] = prompt.promptsShown();
        document["fields"] = cli::fieldsJson(fields);
        document["captions"] = cli::captionsJson(fields);
        document["stopped"] = cli::stopJson(stop);
        document["report"] = nullptr;
        std::cout << document.dump(2) << '\n';
    } else {
        cli::printFieldListing(fields, std::cout);
    }
    if (stop) {
        std::cerr << "计算中止 — " << stop->what() << '\n';
        return 3;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Morvalen：大地四边形条件平差（终端界面）"};
    Options options;
    app.add_flag("--json", options.json, "只输出一个 JSON 文档（提示、字段、标题、中止信息）");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }
    return run(options);
}
