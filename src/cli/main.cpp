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
//   morvalen-cli reduce FILE     reduces a field book of direction sets to the eight angles (see cli/ReduceCommand.h)
//   morvalen-cli --version       the version; --help the options, in Chinese like every message
//   morvalen-cli batch observations.csv -o results.csv [--json] [--pdf DIR]
//                                adjusts every quadrilateral of a campaign file (see cli/BatchCommand.h)
//
// After a completed computation the report follows the fields, as text at its columns.
// Exit status: 0 the computation completed, 3 it stopped (the reason also on stderr; an export or a plot asked after
// it is refused), 2 usage error (--plot without --grade or --sigma included, an empty file name), 4 the PDF, the
// export, the plot or the observation file could not be written, or an output was refused before the first prompt
// (an input, another output, a file the user may not write), 5 the observation
// file could not be used (missing or unreadable, no campaign, unknown row id, a row that is not a data set). Every
// reason is given on stderr.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "cli/ChecksOutput.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/RunOutput.h"
#include "cli/StepsOutput.h"
#include "cli/TerminalPrompt.h"
#include "command/ComputeCommand.h"
#include "entry/RunStopped.h"
#include "fieldbook/DirectionReduction.h"
#include "i18n/Language.h"
#include "report/ReportModel.h"
#ifdef MORVALEN_WITH_FILES
#include "cli/BatchCommand.h"
#include "cli/FileCommands.h"
#include "cli/ReduceCommand.h"
#include "files/ObservationFile.h"
#include "files/ResultExport.h"
#endif
#ifdef MORVALEN_WITH_PDF
#include "cli/PdfOutput.h"
#include "report/AnalysisPage.h"
#include "report/FieldBookPage.h"
#include "report/PaintedReport.h"
#endif

namespace {

using namespace morvalen;

struct Options {
    bool json = false;
    std::string pdfPath;  // empty: no PDF
    cli::CheckOptions checks;
    std::string observationsPath;        // empty: the replies come from standard input
    std::optional<std::string> rowId;    // the row of the observation file; none: the first
    std::string saveObservationsPath;    // empty: the values typed are not kept
    std::string exportPath;              // empty: no export
    std::string plotPath;                // empty: no plot of the network
    std::string fieldBookPath;           // empty: the angles are answered as the other values
    bool steps = false;                  // the computation step by step after the report
};

using cli::ExitStatus;
using i18n::translate;
using i18n::withArguments;

#ifdef MORVALEN_WITH_PDF
// The report's pages, and the page of its checks and of the precision of the stations after them, with the plot of
// the network, when the checks were asked for.
struct ReportDocument {
    report::Pages pages;
    std::optional<analysis::NetworkPrecision> plot;
};

ReportDocument reportDocument(const SurveyState& state, const analysis::Analysis& analysed,
                              const fieldbook::FieldBookReduction* fieldBook = nullptr) {
    ReportDocument document{{report::reportLines(state)}, std::nullopt};
    if (analysed.checks) {
        document.plot = analysed.precision;
        document.pages.push_back(report::analysisPageLines(*analysed.checks, document.plot));
    }
    if (fieldBook) document.pages.push_back(report::fieldBookPageLines(*fieldBook));
    return document;
}
#endif

// The print command of the terminal: the report as a PDF file, refused like the window's when there is nothing
// complete to print.
ExitStatus writeReportFile(const SurveyState& state, const std::string& path, const analysis::Analysis& analysed,
                           const fieldbook::FieldBookReduction* fieldBook, const report::StepsDocument* steps) {
    if (!report::printingAllowed(state)) {
        std::cerr << withArguments(translate("没有写出 PDF 文件：%1"), {report::nothingToPrint}) << '\n';
        return ExitStatus::notWritten;
    }
#ifdef MORVALEN_WITH_PDF
    try {
        const ReportDocument document = reportDocument(state, analysed, fieldBook);
        cli::writePdf(document.pages, path, document.plot ? &*document.plot : nullptr, steps);
        return ExitStatus::completed;
    } catch (const report::PrintingFailed& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
    }
#else
    (void)analysed;
    (void)fieldBook;
    (void)steps;
    std::cerr << withArguments(translate("没有写出 PDF 文件 %1：本程序编译时没有 Qt 绘图功能。"), {path}) << '\n';
    return ExitStatus::notWritten;
#endif
}

#ifdef MORVALEN_WITH_FILES
// Writes the reports of a batch through one Qt application; none without the painter.
cli::ReportWriter batchReportWriter() {
#ifdef MORVALEN_WITH_PDF
    return [output = std::shared_ptr<cli::PdfOutput>()](const SurveyState& state, const analysis::Analysis& analysed,
                                                         const std::string& path) mutable {
        if (!output) output = std::make_shared<cli::PdfOutput>();
        const ReportDocument document = reportDocument(state, analysed);
        output->write(document.pages, path, document.plot ? &*document.plot : nullptr);
    };
#else
    return {};
#endif
}
#endif

// The plot of the network as an SVG file, written through a temporary file; refused like an export when there is
// no completed computation with coordinates.
ExitStatus writePlotFile(const std::optional<analysis::NetworkPrecision>& precision, const std::string& path) {
    if (!precision) {
        std::cerr << withArguments(translate("没有写出网图 %1：还没有完成的计算，或最近一次计算已中止。"), {path}) << '\n';
        return ExitStatus::stopped;
    }
#ifdef MORVALEN_WITH_SVG
    try {
        cli::PdfOutput().writePlot(*precision, path);
        return ExitStatus::completed;
    } catch (const report::PrintingFailed& failure) {
        std::cerr << withArguments(translate("没有写出网图：%1"), {failure.what()}) << '\n';
        return ExitStatus::notWritten;
    }
#else
    std::cerr << withArguments(translate("没有写出网图 %1：本程序编译时没有 Qt 绘图功能。"), {path}) << '\n';
    return ExitStatus::notWritten;
#endif
}

// A plot is written as SVG, and needs σ for its ellipses; refused before anything is asked.
ExitStatus refusedPlot(const Options& options) {
    if (options.plotPath.empty()) return ExitStatus::completed;
    if (!options.checks.standard()) {
        std::cerr << translate("--plot 需要 --grade 或 --sigma：误差椭圆按测角中误差 σ 计算。") << '\n';
        return ExitStatus::usageError;
    }
    std::string extension = std::filesystem::path(options.plotPath).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".svg") {
        std::cerr << withArguments(translate("没有写出网图 %1：网图写成 .svg 文件。"), {options.plotPath}) << '\n';
        return ExitStatus::notWritten;
    }
#if defined(MORVALEN_WITH_PDF) && !defined(MORVALEN_WITH_SVG)
    // Qt without its SVG module (the Windows build): the plot is on the checks' page of the PDF and in the window.
    std::cerr << withArguments(translate("没有写出网图 %1：本程序编译时没有 Qt 的 SVG 模块；网图见 PDF 报表的检核页。"),
                               {options.plotPath})
              << '\n';
    return ExitStatus::notWritten;
#endif
    return ExitStatus::completed;
}

// Runs one computation; a stopped run is caught here and returned, with everything written so far kept.
std::optional<RunStopped> Command1_Click(SurveyState& state, Prompt& asker, WindowFields& fields,
                                         ComputationSteps& steps) {
    try {
        runComputeCommand(state, asker, fields, steps);
        return std::nullopt;
    } catch (const RunStopped& stop) {
        return stop;
    }
}

ExitStatus run(const Options& options) {
    const bool interactive = cli::isTerminal(stdin);
    std::ostream* display = options.json ? nullptr : &std::cout;
    // A plot or an export that could never be written is refused before anything is asked, and so is an output
    // that would destroy an input, a file the user may not write, or another output.
    if (const ExitStatus refused = refusedPlot(options); refused != ExitStatus::completed) return refused;
    const std::string refusedFile = cli::refusedOutput(
        {{options.pdfPath}, {options.exportPath}, {options.plotPath}, {options.saveObservationsPath, false}},
        {options.observationsPath});
    if (!refusedFile.empty()) {
        std::cerr << refusedFile << '\n';
        return ExitStatus::notWritten;
    }
    SurveyState state;
#ifdef MORVALEN_WITH_FILES
    if (!options.exportPath.empty()) {
        try {
            files::exportFormatOf(options.exportPath);
        } catch (const files::FileNotWritten& refused) {
            std::cerr << refused.what() << '\n';
            return ExitStatus::notWritten;
        }
    }
    std::optional<files::ObservationRow> observations;
    std::optional<files::RowPrompt> rowAnswers;
    if (!options.observationsPath.empty()) {
        try {
            std::vector<std::string> notes;
            observations = files::openObservationRow(files::pathOf(options.observationsPath), options.rowId, &notes);
            for (const std::string& note : notes) std::cerr << note << '\n';
        } catch (const files::ObservationFileError& problem) {
            std::cerr << problem.what() << '\n';
            return ExitStatus::fileProblem;
        }
        rowAnswers.emplace(observations->columns, observations->row);
    }
    // A field book answers the eight angles; the other values come from the row or from standard input.
    std::optional<fieldbook::FieldBookAngles> fieldBook;
    if (!options.fieldBookPath.empty() && !(fieldBook = cli::openFieldBook(options.fieldBookPath))) {
        return ExitStatus::fileProblem;
    }
    cli::TerminalPrompt standardInput(std::cin, nullptr, false);
    std::optional<files::AngleAnswers> angleAnswers;
    if (fieldBook) {
        angleAnswers.emplace(rowAnswers ? static_cast<Prompt&>(*rowAnswers) : standardInput,
                             [&](std::size_t k) { return fieldBook->angle(state, k); });
    }
    cli::TerminalPrompt prompt = angleAnswers ? cli::TerminalPrompt(*angleAnswers, display)
                                 : rowAnswers ? cli::TerminalPrompt(*rowAnswers, display)
                                              : cli::TerminalPrompt(std::cin, display, !interactive);
    files::TypedValues typedValues;
    files::ObservationRecorder typed(prompt, typedValues);
#else
    cli::TerminalPrompt prompt(std::cin, display, !interactive);
    Prompt& typed = prompt;
#endif
    cli::TerminalFields fields(display);

    ComputationSteps steps;
    const std::optional<RunStopped> stop = Command1_Click(state, typed, fields, steps);
    const std::optional<report::StepsDocument> stepsTables =
        options.steps ? std::optional(report::stepsDocument(state, steps)) : std::nullopt;
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();
    const analysis::Analysis analysed = analysis::analyse(state, standard);
    const std::optional<analysis::Checks>& checks = analysed.checks;
    const std::optional<analysis::NetworkPrecision>& precision = analysed.precision;

    if (options.json) {
        nlohmann::ordered_json document;
        document["prompts"] = prompt.promptsShown();
        document["fields"] = cli::fieldsJson(fields);
        document["captions"] = cli::captionsJson(fields);
        document["stopped"] = cli::stopJson(stop);
        document["report"] = cli::reportJson(state);
        if (options.steps) document["steps"] = cli::stepsJson(steps);
        if (standard) {
            document["checks"] = cli::checksJson(checks);
            document["precision"] = cli::precisionJson(precision);
        }
        std::cout << document.dump(2) << '\n';
    } else {
        cli::printFieldListing(fields, std::cout);
        cli::printReportText(state, std::cout);
        if (stepsTables) cli::printStepsText(*stepsTables, std::cout);
        if (standard) cli::printChecksText(state, checks, precision, std::cout);
    }
    std::cout.flush();
    if (stop) std::cerr << withArguments(translate("计算中止 — %1"), {stop->what()}) << '\n';
    const report::StepsDocument* stepsPages = stepsTables ? &*stepsTables : nullptr;
    const fieldbook::FieldBookReduction* fieldBookUsed = nullptr;
#ifdef MORVALEN_WITH_FILES
    if (fieldBook && fieldBook->used()) fieldBookUsed = &*fieldBook->used();
#endif
    ExitStatus status = options.pdfPath.empty()
                            ? ExitStatus::completed
                            : writeReportFile(state, options.pdfPath, analysed, fieldBookUsed, stepsPages);
#ifdef MORVALEN_WITH_FILES
    const auto keepFirstFailure = [&](ExitStatus outcome) { status = cli::firstFailure(status, outcome); };
    if (!options.saveObservationsPath.empty()) {
        keepFirstFailure(cli::saveRunObservations(typedValues, options.saveObservationsPath,
                                                  observations ? observations->id : std::string()));
    }
    if (!options.exportPath.empty()) {
        keepFirstFailure(cli::exportRunResults(state, options.exportPath, analysed.precisionOrNull()));
    }
#endif
    if (!options.plotPath.empty()) {
        status = cli::firstFailure(status, writePlotFile(precision, options.plotPath));
    }
    return stop ? ExitStatus::stopped : status;
}

}  // namespace

int main(int argc, char** argv) {
    cli::useUtf8Console();
    cli::stopClearlyWhenMemoryRunsOut();
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
    app.add_option("--field-book", options.fieldBookPath, translate("由观测手簿（方向观测法）归算的八个角回答 b(1)…b(8) 的提示"))
        ->type_name("FILE");
    cli::ReduceOptions reduceOptions;
    CLI::App* reduce = cli::addReduceCommand(app, reduceOptions);

    cli::BatchOptions batchOptions;
    CLI::App* batch = app.add_subcommand("batch", translate("逐行平差观测文件（CSV，每行一个四边形）中的所有四边形"));
    batch->group(cli::subcommandsGroup());
    batch->get_help_ptr()->group(cli::optionsGroup());
    batch->add_option("observations", batchOptions.input, translate("观测文件（CSV，第一行为列名）"))->type_name("FILE")->required();
    batch->add_option("-o,--output", batchOptions.output, translate("结果文件（缺省：标准输出）"))
        ->type_name("FILE")
        ->check(cli::fileName());
    batch->add_flag("--json", batchOptions.jsonLines, translate("结果写成 JSON Lines（每行一个 JSON 对象）"));
    batch->add_option("--pdf", batchOptions.pdfDirectory, translate("为每个完成的四边形写一份 PDF 报表"))
        ->type_name("DIR")
        ->check(cli::fileName());
    cli::addCheckOptions(*batch, batchOptions.checks);
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
    if (batch->parsed()) {
        return cli::exitCode(cli::runBatch(batchOptions, batchReportWriter()));
    }
#endif
    return cli::exitCode(run(options));
}
