#include "cli/BatchCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "batch/BatchAdjustment.h"
#include "batch/BatchChecks.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "files/AtomicFile.h"
#include "files/CsvFile.h"
#include "files/ObservationFile.h"
#include "i18n/Language.h"
#include "entry/Utf8.h"
#include "report/ReportModel.h"

namespace morvalen::cli {
namespace {

// A file name for the report of a data set: its row number, then its id with anything unsafe in a path replaced.
std::string reportFileName(const batch::BatchResult& result) {
    std::string safeId;
    for (char c : shortenedUtf8(result.id, 40)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool keep = byte >= 0x80 || std::isalnum(byte) || c == '-' || c == '_' || c == '.';
        safeId += keep ? c : '_';
    }
    char number[32];
    std::snprintf(number, sizeof number, "%05zu", result.rowNumber);
    return std::string(number) + (safeId.empty() ? "" : "-" + safeId) + ".pdf";
}

class Progress {
public:
    Progress() : shown_(isTerminal(stderr)) {}
    bool shown() const { return shown_; }
    void setTotal(std::size_t total) { total_ = total; }
    void rowDone(std::size_t done) const {
        if (shown_ && (done % 1000 == 0 || done == total_)) {
            std::cerr << "\r" << i18n::withArguments(i18n::translate("已处理 %1 / %2 行"), {std::to_string(done), std::to_string(total_)})
                      << (done == total_ ? "\n" : "") << std::flush;
        }
    }

private:
    std::size_t total_ = 0;
    bool shown_;
};

// Ends the batch before its first row, with the exit status to give.
struct BatchAbandoned {
    ExitStatus status;
};

}  // namespace

ExitStatus runBatch(const BatchOptions& options, const ReportWriter& writeReport) {
    const std::filesystem::path input = files::pathOf(options.input);
    const bool toStandardOutput = options.output.empty() || options.output == "-";
    // Nothing the surveyor has is touched before the outputs are known to be safe to write.
    const std::string refused = refusedOutput({{toStandardOutput ? std::string() : options.output}}, {options.input});
    if (!refused.empty()) {
        std::cerr << refused << '\n';
        return ExitStatus::notWritten;
    }
    std::error_code unknown;
    const std::filesystem::path reports = files::pathOf(options.pdfDirectory);
    if (!options.pdfDirectory.empty() && std::filesystem::exists(reports, unknown) &&
        !std::filesystem::is_directory(reports, unknown)) {
        std::cerr << i18n::withArguments(i18n::translate("无法写出 PDF 报表：%1 不是文件夹"), {options.pdfDirectory}) << '\n';
        return ExitStatus::notWritten;
    }
    files::TextEncoding encoding = files::TextEncoding::utf8;
    const auto reading = [&](const files::HeaderReceiver& onHeader, const files::RowReceiver& onRow) {
        return files::readCsvFile(input, onHeader, onRow, &encoding);
    };

    Progress progress;
    if (progress.shown()) {
        std::size_t rows = 0;
        try {
            reading([](const std::vector<std::string>&) {}, [&](const files::TableRow&) { ++rows; });
        } catch (const std::runtime_error&) {
            // reported by the reading below
        }
        progress.setTotal(rows);
    }

    std::optional<files::ColumnMap> columns;
    std::optional<batch::BatchAdjuster> adjuster;
    // The results go to a temporary file that takes the place of the old one only once every row is written, so a
    // batch that fails or is killed half way leaves the old results as they were.
    std::optional<files::OutputFile> file;
    std::string pending;  // result lines not yet written: the file is written in large pieces
    constexpr std::size_t writeSize = 1 << 18;
    const auto flushPending = [&] {
        if (file) file->write(pending);
        else std::cout << pending;
        pending.clear();
    };
    ExitStatus status = ExitStatus::completed;
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();

    const auto startResults = [&](const std::vector<std::string>& header) {
        columns.emplace(header);
        adjuster.emplace(*columns);
        for (const std::string& note : files::readingNotes(input, *columns, encoding)) std::cerr << note << '\n';
        if (!options.pdfDirectory.empty() && !writeReport) {
            std::cerr << i18n::translate("没有写出 PDF 报表：本程序编译时没有 Qt 绘图功能。") << '\n';
            throw BatchAbandoned{ExitStatus::notWritten};
        }
        if (!toStandardOutput) file.emplace(files::pathOf(options.output));
        if (!options.jsonLines) {
            std::vector<std::string> header = batch::resultColumns();
            if (standard) header.insert(header.end(), batch::checkColumns().begin(), batch::checkColumns().end());
            // A results file for a spreadsheet carries a byte-order mark, so that it opens as UTF-8.
            if (file) pending += files::byteOrderMark(files::TextEncoding::utf8WithByteOrderMark);
            pending += batch::csvLine(header);
        }
    };

    const auto adjustRow = [&](const files::TableRow& row) {
        const batch::BatchResult& result = adjuster->adjust(row);
        if (standard) {
            // The checks' columns after the result columns.
            const std::vector<std::string> checks = batch::checkCells(result, *standard);
            std::ostringstream line;
            if (options.jsonLines) {
                batch::writeJsonLine(line, result, batch::checkColumns(), checks);
            } else {
                std::vector<std::string> cells = batch::resultCells(result);
                cells.insert(cells.end(), checks.begin(), checks.end());
                batch::writeCsvRow(line, cells);
            }
            pending.append(line.str());
        } else if (options.jsonLines) {
            std::ostringstream line;
            batch::writeJsonLine(line, result);
            pending += line.str();
        } else {
            pending += batch::csvLine(batch::resultCells(result));
        }
        if (pending.size() >= writeSize) flushPending();
        if (!result.completed()) status = std::max(status, ExitStatus::stopped);
        if (!options.pdfDirectory.empty() && report::printingAllowed(result.state)) {
            const auto path = std::filesystem::path(options.pdfDirectory) / reportFileName(result);
            try {
                std::filesystem::create_directories(options.pdfDirectory);
                writeReport(result.state, path.string());
            } catch (const std::exception& failure) {
                std::cerr << i18n::withArguments(i18n::translate("第 %1 行的报表没有写出：%2"),
                                                 {std::to_string(result.rowNumber), failure.what()})
                          << '\n';
                status = ExitStatus::notWritten;
            }
        }
        progress.rowDone(row.rowNumber);
    };

    try {
        reading(startResults, adjustRow);
        flushPending();
        if (file) file->commit();
    } catch (const files::FileNotRead& problem) {
        std::cerr << i18n::withArguments(i18n::translate("无法读取观测文件 %1：%2"), {options.input, problem.what()}) << '\n';
        return ExitStatus::fileProblem;
    } catch (const files::CampaignFileError& error) {
        std::cerr << i18n::withArguments(i18n::translate("%1：%2"), {options.input, error.what()}) << '\n';
        return ExitStatus::fileProblem;
    } catch (const files::FileNotWritten& failure) {
        std::cerr << i18n::withArguments(i18n::translate("结果没有写出：%1"), {failure.what()}) << '\n';
        return ExitStatus::notWritten;
    } catch (const BatchAbandoned& abandoned) {
        return abandoned.status;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << i18n::translate("结果没有完整写出：标准输出写入时出错") << '\n';
        return ExitStatus::notWritten;
    }
    return status;
}

}  // namespace morvalen::cli
