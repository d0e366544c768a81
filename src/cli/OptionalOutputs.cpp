#include "cli/OptionalOutputs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

#include "files/AtomicFile.h"
#include "files/TextDecoding.h"
#include "i18n/Language.h"
#include "report/NetworkPlot.h"
#include "report/ReportModel.h"
#ifdef MORVALEN_WITH_FILES
#include "cli/FileCommands.h"
#include "cli/ReduceCommand.h"
#include "files/CsvFile.h"
#include "files/ObservationFile.h"
#include "files/ResultExport.h"
#endif
#ifdef MORVALEN_WITH_PDF
#include "cli/PdfOutput.h"
#include "report/PaintedReport.h"
#include "report/PrintedDocument.h"
#endif

namespace morvalen::cli {
namespace {

using i18n::translate;
using i18n::withArguments;

// A file option that the program was built without.
ExitStatus notBuilt(const char* pattern, const std::string& path) {
    std::cerr << withArguments(translate(pattern), {path}) << '\n';
    return ExitStatus::notWritten;
}

}  // namespace

ExitStatus readReplies(std::istream& input, std::string& text) {
    constexpr std::size_t most = 1 << 20;
    std::string bytes(most, '\0');
    input.read(bytes.data(), static_cast<std::streamsize>(most));
    bytes.resize(static_cast<std::size_t>(input.gcount()));
    if (bytes.size() == most) bytes.resize(bytes.rfind('\n') == std::string::npos ? 0 : bytes.rfind('\n') + 1);
    try {
        text = files::decodedText(bytes);
    } catch (const files::InvalidText& invalid) {
        const std::string_view before = std::string_view(bytes).substr(0, invalid.offset);
        const auto line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
        const std::size_t lastBreak = before.rfind('\n');
        const std::size_t column = before.size() - (lastBreak == std::string_view::npos ? 0 : lastBreak + 1) + 1;
        std::cerr << withArguments(translate("回答的第 %1 行第 %2 个字节起既不是 UTF-8 也不是 GB 18030 编码的文字"),
                                   {std::to_string(line), std::to_string(column)})
                  << '\n';
        return ExitStatus::fileProblem;
    }
    return ExitStatus::completed;
}

ExitStatus openFileInput(const std::string& observationsPath, const std::optional<std::string>& rowId,
                         const std::string& fieldBookPath, const std::string& gradeName, FileInput& input) {
#ifdef MORVALEN_WITH_FILES
    if (!observationsPath.empty()) {
        try {
            std::vector<std::string> notes;
            const files::ObservationRow opened =
                files::openObservationRow(files::pathOf(observationsPath), rowId, &notes);
            for (const std::string& note : notes) std::cerr << note << '\n';
            input.row = opened.columns.observations(opened.row);
            input.rowId = opened.id;
        } catch (const files::ObservationFileError& problem) {
            std::cerr << problem.what() << '\n';
            return ExitStatus::fileProblem;
        }
    }
    if (!fieldBookPath.empty() && !(input.fieldBook = openFieldBook(fieldBookPath, gradeName))) return ExitStatus::fileProblem;
#else
    (void)observationsPath;
    (void)rowId;
    (void)fieldBookPath;
    (void)gradeName;
    (void)input;
#endif
    return ExitStatus::completed;
}

ExitStatus refusedExportFormat(const std::string& path) {
#ifdef MORVALEN_WITH_FILES
    try {
        files::exportFormatOf(path);
    } catch (const files::FileNotWritten& refused) {
        std::cerr << refused.what() << '\n';
        return ExitStatus::notWritten;
    }
#else
    (void)path;
#endif
    return ExitStatus::completed;
}

ExitStatus refusedPlotFormat(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".svg") return notBuilt("没有写出网图 %1：网图写成 .svg 文件。", path);
    return ExitStatus::completed;
}

ExitStatus writeReportFile(const SurveyState& state, const std::string& path, const analysis::Analysis& analysed,
                           const fieldbook::FieldBookReduction* fieldBook, const report::StepsDocument* steps,
                           const rigorous::RigorousRun* rigorous) {
    if (!report::printingAllowed(state)) {
        std::cerr << withArguments(translate("没有写出 PDF 文件：%1"), {report::nothingToPrint}) << '\n';
        return ExitStatus::notWritten;
    }
#ifdef MORVALEN_WITH_PDF
    try {
        const report::PrintedDocument document = report::printedDocument(state, analysed, fieldBook, rigorous);
        writePdf(document.pages, path, document.plots, steps);
        return ExitStatus::completed;
    } catch (const report::PrintingFailed& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
    }
#else
    (void)analysed;
    (void)fieldBook;
    (void)steps;
    (void)rigorous;
    return notBuilt("没有写出 PDF 文件 %1：本程序编译时没有 Qt 绘图功能。", path);
#endif
}

ExitStatus writePlotFile(const std::optional<analysis::NetworkPrecision>& precision, const std::string& path) {
    if (!precision) {
        std::cerr << withArguments(translate("没有写出网图 %1：还没有完成的计算，或最近一次计算已中止。"), {path}) << '\n';
        return ExitStatus::stopped;
    }
    try {
        files::writeBytes(files::pathOf(path), report::networkPlotSvg(*precision));
        return ExitStatus::completed;
    } catch (const files::FileNotWritten& failure) {
        std::cerr << withArguments(translate("没有写出网图：%1"), {failure.what()}) << '\n';
        return ExitStatus::notWritten;
    }
}

ExitStatus saveObservationsFile(const Observations& typed, const std::string& path, const std::string& id) {
#ifdef MORVALEN_WITH_FILES
    return saveRunObservations(typed, path, id);
#else
    (void)typed;
    (void)id;
    (void)path;
    return ExitStatus::notWritten;
#endif
}

ExitStatus exportResultsFile(const SurveyState& state, const std::string& path, const analysis::Analysis& analysed) {
#ifdef MORVALEN_WITH_FILES
    return exportRunResults(state, path, analysed.precisionOrNull());
#else
    (void)state;
    (void)analysed;
    (void)path;
    return ExitStatus::notWritten;
#endif
}

ExitStatus runBatchCommand(const BatchOptions& options) {
#ifdef MORVALEN_WITH_FILES
    ReportWriter writeReport;
#ifdef MORVALEN_WITH_PDF
    writeReport = [output = std::shared_ptr<PdfOutput>()](const SurveyState& state, const analysis::Analysis& analysed,
                                                        const std::string& path) mutable {
        if (!output) output = std::make_shared<PdfOutput>();
        const report::PrintedDocument document = report::printedDocument(state, analysed);
        output->write(document.pages, path, document.plots);
    };
#endif
    return runBatch(options, writeReport);
#else
    (void)options;
    return ExitStatus::usageError;
#endif
}

}  // namespace morvalen::cli
