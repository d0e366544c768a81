// morvalen-cli: the compute command of Morvalen on a terminal.
//
//   morvalen-cli                 asks every value on the terminal, then shows the fields
//   morvalen-cli < run.replies   takes the replies from a file, one per line
//   morvalen-cli --json          prints only one JSON document: prompts, fields, captions, stop, report
//   morvalen-cli --pdf FILE      also writes the report of the computation to FILE as PDF
//   morvalen-cli --steps         also shows the computation step by step: a section 计算过程 after the report,
//                                "steps" in the JSON, pages 平差计算过程 after the report's PDF
//   morvalen-cli --grade 四等     also checks the computation against a survey grade (or --sigma S, seconds) and
//                                gives the precision of the stations: a section 检核 after the report, "checks" and
//                                "precision" in the JSON, a page after the report's PDF with the plot of the network
//   morvalen-cli --sigma S --plot FILE.svg
//                                writes the plot of the network with the error ellipses as SVG
//   morvalen-cli --observations FILE [--row ID]
//                                answers the prompts from a row of an observation file (the campaign CSV)
//   morvalen-cli --save-observations FILE
//                                keeps the values of this run as one more row of an observation file
//   morvalen-cli --export FILE   writes the result table as .dat (CASS), .csv, .xlsx or .dxf
//   morvalen-cli --field-book FILE
//                                answers the eight angle prompts from the reduction of a field book
//   morvalen-cli --field-book FILE --rigorous [--sigma-direction SEC] [--distance-sigma A,B]
//                                also adjusts the field book's directions and distances rigorously: a section after
//                                the report, "rigorous" in the JSON, a page of the PDF
//   morvalen-cli reduce FILE     reduces a field book of direction sets to the eight angles (see cli/ReduceCommand.h)
//   morvalen-cli --version       the version; --help the options, in Chinese like every message
//   morvalen-cli batch observations.csv -o results.csv [--json] [--pdf DIR]
//                                adjusts every quadrilateral of a campaign file (see cli/BatchCommand.h)
//   morvalen-cli exercise --students ROSTER.csv -o DIR, morvalen-cli check-answer SHEET --observations FILE --row ID
//                                the teacher's kit (see cli/ExerciseCommand.h)
//
// After a completed computation the report follows the fields, as text at its columns.
// Exit status: 0 the computation completed, 3 it stopped (the reason also on stderr; an export or a plot asked after
// it is refused), 2 usage error (--plot without --grade or --sigma included, an empty file name), 4 the PDF, the
// export, the plot or the observation file could not be written, or an output was refused before the first prompt
// (an input, another output, a file the user may not write), 5 the observation
// file could not be used (missing or unreadable, no campaign, unknown row id, a row that is not a data set). Every
// reason is given on stderr.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "cli/CheckOptions.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/GivenAnswers.h"
#include "cli/OptionalOutputs.h"
#include "cli/RigorousOptions.h"
#include "document/RunDocument.h"
#include "document/RunOutput.h"
#include "document/StepsOutput.h"
#include "cli/TerminalPrompt.h"
#include "command/RunRecord.h"
#include "i18n/Language.h"
#include "report/RigorousPage.h"
#include "report/StepsTables.h"
#include "report/TextReport.h"
#ifdef MORVALEN_WITH_FILES
#include "cli/ExerciseCommand.h"
#include "cli/ReduceCommand.h"
#endif

namespace {

using namespace morvalen;

struct Options {
    bool json = false;
    std::string pdfPath;  // empty: no PDF
    document::CheckOptions checks;
    std::string observationsPath;        // empty: the replies come from standard input
    std::optional<std::string> rowId;    // the row of the observation file; none: the first
    std::string saveObservationsPath;    // empty: the values typed are not kept
    std::string exportPath;              // empty: no export
    std::string plotPath;                // empty: no plot of the network
    std::string fieldBookPath;           // empty: the angles are answered as the other values
    bool steps = false;                  // the computation step by step after the report
    document::RigorousOptions rigorous;       // the rigorous adjustment of the field book beside the classical one
};

using cli::ExitStatus;
using i18n::translate;
using i18n::withArguments;

// Every output that could never be written is refused before anything is asked: a plot without σ or not SVG, an
// export of an unknown format, an output that would destroy an input, a file the user may not write, another output.
ExitStatus refusedBeforeAsking(const Options& options) {
    if (!options.plotPath.empty()) {
        if (!options.checks.standard()) {
            std::cerr << translate("--plot 需要 --grade 或 --sigma：误差椭圆按测角中误差 σ 计算。") << '\n';
            return ExitStatus::usageError;
        }
        if (const ExitStatus refused = cli::refusedPlotFormat(options.plotPath); refused != ExitStatus::completed) {
            return refused;
        }
    }
    const std::string refusedFile =
        cli::refusedOutput({options.pdfPath, options.exportPath, options.plotPath, options.saveObservationsPath},
                           {options.observationsPath, options.fieldBookPath});
    if (!refusedFile.empty()) {
        std::cerr << refusedFile << '\n';
        return ExitStatus::notWritten;
    }
    if (!options.exportPath.empty()) return cli::refusedExportFormat(options.exportPath);
    return ExitStatus::completed;
}

// Runs one computation; a stopped run is caught here and kept in the record, with everything written so far.
void Command1_Click(Prompt& asker, WindowFields& fields, RunRecord& record) {
    try {
        runComputeCommand(asker, fields, record);
    } catch (const RunStopped&) {
        // The record holds the stop; the outputs report it.
    }
}

// What one run shows and writes after the computation.
struct RunOutcome {
    const RunRecord& record;
    const cli::TerminalPrompt& prompt;
    const FieldModel& fields;
    analysis::Analysis analysed;
    std::optional<report::StepsDocument> steps;
    std::optional<rigorous::RigorousRun> rigorous;
};

void printJson(const Options& options, const RunOutcome& outcome) {
    const document::DocumentOptions parts{options.steps, options.checks.standard().has_value()};
    auto document = document::runDocument(outcome.prompt.promptsShown(), outcome.fields, outcome.record, outcome.analysed, parts);
    if (options.rigorous.asked) document["rigorous"] = document::rigorousJson(outcome.rigorous);
    std::cout << document.dump(2) << '\n';
}

void printListing(const Options& options, const RunOutcome& outcome) {
    document::printFieldListing(outcome.fields, std::cout);
    document::printReportText(outcome.record.state, std::cout);
    if (outcome.steps) document::printStepsText(*outcome.steps, std::cout);
    if (options.checks.standard()) {
        document::printChecksText(outcome.record.state, outcome.analysed.checks, outcome.analysed.precision, std::cout);
    }
    if (outcome.rigorous) std::cout << report::renderText(report::rigorousPageLines(*outcome.rigorous));
}

// The files asked for, each after the one before, keeping the first failure.
ExitStatus writeFiles(const Options& options, const RunOutcome& outcome, const cli::FileInput& input) {
    const RunRecord& record = outcome.record;
    ExitStatus status = ExitStatus::completed;
    const auto keepFirstFailure = [&](ExitStatus outcome) { status = cli::firstFailure(status, outcome); };
    if (!options.pdfPath.empty()) {
        const fieldbook::FieldBookReduction* fieldBookUsed =
            input.fieldBook && input.fieldBook->used() ? &*input.fieldBook->used() : nullptr;
        keepFirstFailure(cli::writeReportFile(record.state, options.pdfPath, outcome.analysed, fieldBookUsed,
                                              outcome.steps ? &*outcome.steps : nullptr,
                                              outcome.rigorous ? &*outcome.rigorous : nullptr));
    }
    if (!options.saveObservationsPath.empty()) {
        keepFirstFailure(cli::saveObservationsFile(record.observations, options.saveObservationsPath, input.rowId));
    }
    if (!options.exportPath.empty()) {
        keepFirstFailure(cli::exportResultsFile(record.state, options.exportPath, outcome.analysed));
    }
    if (!options.plotPath.empty()) keepFirstFailure(cli::writePlotFile(outcome.analysed.precision, options.plotPath));
    return status;
}

ExitStatus run(const Options& options) {
    if (const ExitStatus refused = refusedBeforeAsking(options); refused != ExitStatus::completed) return refused;

    // The input: replies on standard input, or the values that files give, shown behind their prompts.
    cli::FileInput input;
    if (const ExitStatus problem =
            cli::openFileInput(options.observationsPath, options.rowId, options.fieldBookPath, options.checks.gradeName,
                               input);
        problem != ExitStatus::completed) {
        return problem;
    }
    const bool interactive = cli::isTerminal(stdin);
    if (!options.json) cli::escapeControlsOn(std::cout);
    std::ostream* display = options.json ? nullptr : &std::cout;
    // Replies from a file or a pipe are read whole and decoded as files are; a person's replies line by line.
    std::istringstream repliesRead;
    if (!interactive) {
        std::string text;
        if (const ExitStatus refused = cli::readReplies(std::cin, text); refused != ExitStatus::completed) return refused;
        repliesRead.str(text);
    }
    std::istream& replies = interactive ? std::cin : repliesRead;
    RunRecord record;
    cli::TerminalPrompt standardInput(replies, nullptr, false);
    std::function<std::string(std::size_t)> givenAngle;
    if (input.fieldBook) givenAngle = [&](std::size_t k) { return input.fieldBook->angle(record.observations, k); };
    cli::GivenAnswers given(standardInput, input.row, givenAngle);
    cli::TerminalPrompt prompt = input.row || input.fieldBook ? cli::TerminalPrompt(given, display)
                                                              : cli::TerminalPrompt(replies, display, !interactive);
    cli::TerminalFields fields(display);

    // One computation.
    Command1_Click(prompt, fields, record);

    // The outputs.
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();
    const RunOutcome outcome{record, prompt, fields, analysis::analyse(record, standard),
                             options.steps ? std::optional(report::stepsDocument(record.state, record.steps))
                                           : std::nullopt,
                             record.stop ? std::nullopt
                                         : cli::rigorousOf(options.rigorous, record.state,
                                                           input.fieldBook && input.fieldBook->used()
                                                               ? &*input.fieldBook->used() : nullptr)};
    if (options.json) printJson(options, outcome);
    else printListing(options, outcome);
    std::cout.flush();
    if (record.stop) std::cerr << withArguments(translate("计算中止 — %1"), {record.stop->what()}) << '\n';
    const ExitStatus written = writeFiles(options, outcome, input);
    return record.stop ? ExitStatus::stopped : written;
}

}  // namespace

int main(int argc, char** argv) {
    cli::useUtf8Console();
    cli::stopClearlyWhenMemoryRunsOut();
    cli::escapeControlsOn(std::cerr);
    if (const std::string refused = cli::useChosenLanguage(argc, argv); !refused.empty()) {
        std::cerr << refused << '\n';
        return cli::exitCode(ExitStatus::usageError);
    }
    CLI::App app{translate("Morvalen：大地四边形条件平差（终端界面）"), "morvalen-cli"};
    cli::useChineseCommandLine(app, MORVALEN_VERSION);
    Options options;
    app.add_flag("--json", options.json, translate("只输出一个 JSON 文档（提示、字段、标题、中止信息、报表）"));
    app.add_option("--pdf", options.pdfPath, translate("计算完成后把报表写成 PDF 文件"))
        ->type_name("FILE")
        ->check(cli::fileName());
    app.add_flag("--steps", options.steps, translate("报表之后给出平差计算过程（各步的表格；JSON 中为 \"steps\"）"));
    cli::addCheckOptions(app, options.checks);
#ifdef MORVALEN_WITH_FILES
    CLI::Option* observations =
        app.add_option("--observations", options.observationsPath, translate("从观测文件（CSV，每行一组观测数据）读取输入值"))
            ->type_name("FILE")
            ->check(cli::fileName());
    app.add_option("--row", options.rowId, translate("观测文件中的行（id 列的值；缺省为第一行）"))
        ->type_name("ID")
        ->needs(observations);
    app.add_option("--save-observations", options.saveObservationsPath, translate("把这次输入的观测值存为观测文件的一行"))
        ->type_name("FILE")
        ->check(cli::fileName());
    app.add_option("--export", options.exportPath, translate("导出成果表：.dat（CASS 坐标）、.csv、.xlsx 或 .dxf"))
        ->type_name("FILE")
        ->check(cli::fileName());
    app.add_option("--plot", options.plotPath, translate("把网图（边、误差椭圆、指北针、比例尺）写成 SVG 文件（需 --grade 或 --sigma）"))
        ->type_name("FILE.svg")
        ->check(cli::fileName());
    CLI::Option* fieldBook =
        app.add_option("--field-book", options.fieldBookPath, translate("由观测手簿（方向观测法）归算的八个角回答 b(1)…b(8) 的提示"))
            ->type_name("FILE");
    cli::addRigorousOptions(app, options.rigorous, fieldBook);
    cli::ReduceOptions reduceOptions;
    CLI::App* reduce = cli::addReduceCommand(app, reduceOptions);

    cli::BatchOptions batchOptions;
    CLI::App* batch = cli::addSubcommand(app, "batch", translate("逐行平差观测文件（CSV，每行一个四边形）中的所有四边形"));
    batch->add_option("observations", batchOptions.input, translate("观测文件（CSV，第一行为列名）"))->type_name("FILE")->required();
    batch->add_option("-o,--output", batchOptions.output, translate("结果文件（缺省：标准输出）"))
        ->type_name("FILE")
        ->check(cli::fileName());
    batch->add_flag("--json", batchOptions.jsonLines, translate("结果写成 JSON Lines（每行一个 JSON 对象）"));
    batch->add_option("--pdf", batchOptions.pdfDirectory, translate("为每个完成的四边形写一份 PDF 报表"))
        ->type_name("DIR")
        ->check(cli::fileName());
    cli::addCheckOptions(*batch, batchOptions.checks);
    cli::addRigorousOptions(*batch, batchOptions.rigorous, nullptr);
    cli::ExerciseOptions exerciseOptions;
    CLI::App* exercise = cli::addExerciseCommand(app, exerciseOptions);
    cli::CheckAnswerOptions checkAnswerOptions;
    CLI::App* checkAnswer = cli::addCheckAnswerCommand(app, checkAnswerOptions);
#endif
    for (CLI::App* subcommand : app.get_subcommands([](CLI::App*) { return true; })) cli::addLanguageOption(*subcommand);
    try {
        std::vector<std::string> arguments = cli::utf8Arguments(argc, argv);
        std::vector<char*> pointers;
        for (std::string& argument : arguments) pointers.push_back(argument.data());
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return cli::exitCode(status == 0 ? ExitStatus::completed : ExitStatus::usageError);
    }
#ifdef MORVALEN_WITH_FILES
    if (reduce->parsed()) return cli::exitCode(cli::runReduce(reduceOptions));
    if (batch->parsed()) return cli::exitCode(cli::runBatchCommand(batchOptions));
    if (exercise->parsed()) return cli::exitCode(cli::runExercise(exerciseOptions));
    if (checkAnswer->parsed()) return cli::exitCode(cli::runCheckAnswer(checkAnswerOptions));
#endif
    return cli::exitCode(run(options));
}
