#include "cli/BatchCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "analysis/Analysis.h"
#include "batch/BatchAdjustment.h"
#include "batch/BatchChecks.h"
#include "cli/BatchFieldBooks.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "entry/PackedAngle.h"
#include "files/AtomicFile.h"
#include "files/CsvFile.h"
#include "files/CsvText.h"
#include "entry/Utf8.h"
#include "files/ObservationFile.h"
#include "i18n/Language.h"
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
            // Past the stream that escapes control characters: the carriage return is the progress's own.
            const std::string shown = "\r" + i18n::withArguments(i18n::translate("已处理 %1 / %2 行"),
                                                                  {std::to_string(done), std::to_string(total_)});
            std::cerr.flush();
            std::fputs((shown + (done == total_ ? "\n" : "")).c_str(), stderr);
            std::fflush(stderr);
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

// One batch: the outputs checked before anything is written, the campaign read row by row, each row adjusted and its
// result line written (with its checks and its report when they are asked for), the results file committed at the
// end.
class BatchRun {
public:
    BatchRun(const BatchOptions& options, const ReportWriter& writeReport)
        : options_(options),
          writeReport_(writeReport),
          input_(files::pathOf(options.input)),
          toStandardOutput_(options.output.empty() || options.output == "-"),
          standard_(options.checks.standard()) {}

    ExitStatus run() {
        if (const std::optional<ExitStatus> refused = refusedOutputs()) return *refused;
        if (progress_.shown()) progress_.setTotal(countRows());
        try {
            readCampaign([this](const std::vector<std::string>& header) { startResults(header); },
                         [this](const files::TableRow& row) { adjustRow(row); });
            if (rowsRead_ == 0) {
                // A header alone is refused as the single run refuses it, and no results file is written.
                std::cerr << i18n::withArguments(i18n::translate("观测文件 %1 中没有数据行"), {options_.input}) << '\n';
                return ExitStatus::fileProblem;
            }
            flushPending();
            if (file_) file_->commit();
            reportStoppedRows();
        } catch (const files::FileNotRead& problem) {
            std::cerr << i18n::withArguments(i18n::translate("无法读取观测文件 %1：%2"), {options_.input, problem.what()})
                      << '\n';
            return ExitStatus::fileProblem;
        } catch (const files::CampaignFileError& error) {
            std::cerr << i18n::withArguments(i18n::translate("%1：%2"), {options_.input, error.what()}) << '\n';
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
        return status_;
    }

private:
    // The result lines are written in pieces of this many bytes.
    static constexpr std::size_t writeSize = 1 << 18;

    // Nothing the surveyor has is touched before the outputs are known to be safe to write.
    std::optional<ExitStatus> refusedOutputs() const {
        const std::string refused =
            refusedOutput({toStandardOutput_ ? std::string() : options_.output}, {options_.input});
        if (!refused.empty()) {
            std::cerr << refused << '\n';
            return ExitStatus::notWritten;
        }
        std::error_code unknown;
        const std::filesystem::path reports = files::pathOf(options_.pdfDirectory);
        if (!options_.pdfDirectory.empty() && std::filesystem::exists(reports, unknown) &&
            !std::filesystem::is_directory(reports, unknown)) {
            std::cerr << i18n::withArguments(i18n::translate("无法写出 PDF 报表：%1 不是文件夹"), {options_.pdfDirectory})
                      << '\n';
            return ExitStatus::notWritten;
        }
        // A folder of reports that exists is one the reports can be written in.
        if (!options_.pdfDirectory.empty() && std::filesystem::is_directory(reports, unknown)) {
            try {
                files::checkOutputPath(reports / "report.pdf");
            } catch (const files::FileNotWritten& refused) {
                std::cerr << refused.what() << '\n';
                return ExitStatus::notWritten;
            }
        }
        return std::nullopt;
    }

    void readCampaign(const files::HeaderReceiver& onHeader, const files::RowReceiver& onRow) {
        files::readCsvFile(input_, onHeader, onRow, &encoding_);
    }

    // The rows of the campaign, for the progress on a terminal; a campaign that cannot be read is reported by the
    // reading of its rows.
    std::size_t countRows() {
        std::size_t rows = 0;
        try {
            readCampaign([](const std::vector<std::string>&) {}, [&](const files::TableRow&) { ++rows; });
        } catch (const std::runtime_error&) {
        }
        return rows;
    }

    // The campaign's columns are known: the notes on reading them, the results file opened and its header line.
    void startResults(const std::vector<std::string>& header) {
        columns_.emplace(header);
        adjuster_.emplace(*columns_);
        books_.emplace(header, input_, options_.rigorous);
        for (const std::string& note : files::readingNotes(input_, *columns_, encoding_)) std::cerr << note << '\n';
        if (!options_.pdfDirectory.empty() && !writeReport_) {
            std::cerr << i18n::translate("没有写出 PDF 报表：本程序编译时没有 Qt 绘图功能。") << '\n';
            throw BatchAbandoned{ExitStatus::notWritten};
        }
        // The results go to a temporary file that takes the place of the old one only once every row is written,
        // so a batch that fails or is killed half way leaves the old results as they were.
        if (!toStandardOutput_) file_.emplace(files::pathOf(options_.output));
        if (!options_.jsonLines) {
            std::vector<std::string> columns = batch::resultColumns();
            if (standard_) columns.insert(columns.end(), batch::checkColumns().begin(), batch::checkColumns().end());
            if (options_.rigorous.asked) {
                const auto& rigorous = BatchFieldBooks::rigorousColumns();
                columns.insert(columns.end(), rigorous.begin(), rigorous.end());
            }
            // A results file for a spreadsheet carries a byte-order mark, so that it opens as UTF-8.
            if (file_ && !files::isStandardOutput(files::pathOf(options_.output))) pending_ += files::byteOrderMark(files::TextEncoding::utf8WithByteOrderMark);
            pending_ += files::csvLine(columns, batch::resultQuoting);
        }
    }

    void adjustRow(const files::TableRow& row) {
        ++rowsRead_;
        // A row without a field book is adjusted as it was read, not copied.
        const batch::BatchResult& result =
            books_->present() ? adjuster_->adjust(books_->withBookAngles(row, *columns_)) : adjuster_->adjust(row);
        const analysis::Analysis analysed =
            standard_ && result.completed() ? analysis::analyse(result.run, *standard_) : analysis::Analysis{};
        writeResultLine(result, analysed);
        if (pending_.size() >= writeSize) flushPending();
        warnOfLikelyMistypes(result);
        if (!result.completed()) {
            status_ = std::max(status_, ExitStatus::stopped);
            if (rowsStopped_++ == 0) {
                firstStop_ = i18n::withArguments(i18n::translate("第 %1 行：%2"),
                                                 {std::to_string(result.rowNumber),
                                                  result.rowError.empty() ? result.run.stop->what() : result.rowError});
            }
        }
        if (!options_.pdfDirectory.empty() && report::printingAllowed(result.run.state)) writeReportOf(result, analysed);
        progress_.rowDone(rowsRead_);
    }

    // The values a surveyor most likely mistyped (61 minutes, an angle of 0), each named with its row, as the single
    // run warns of them.
    void warnOfLikelyMistypes(const batch::BatchResult& result) const {
        if (!result.rowError.empty()) return;
        const RunCase kind = result.run.completed() ? runCase(result.run.state) : result.run.observations.runCase();
        for (std::size_t k = 0; k < enteredValueCount; ++k) {
            const auto value = static_cast<EnteredValue>(k);
            if (!mistypesWarned(value) || !Observations::asks(value, kind)) continue;
            if (const std::string warning = warningOf(result.run, value); !warning.empty()) {
                std::cerr << i18n::withArguments(i18n::translate("第 %1 行：%2"), {std::to_string(result.rowNumber), warning})
                          << '\n';
            }
        }
    }

    // The warning of one value. A run that went through has read every angle (b(1)…b(8), Ta, Qa) and converted the
    // observed ones to decimal degrees: the warning takes its reading; a stopped run's values are read from their
    // texts.
    static std::string warningOf(const RunRecord& run, EnteredValue value) {
        if (!run.completed() || value == EnteredValue::startSideNumber) {
            return replyWarning(value, run.observations.text(value));
        }
        if (value == EnteredValue::Ta) return replyWarning(value, run.state.Ta);
        if (value == EnteredValue::Qa) return replyWarning(value, run.state.Qa);
        const std::size_t k = static_cast<std::size_t>(value) - static_cast<std::size_t>(EnteredValue::b1) + 1;
        return replyWarning(value, run.state.observedAngles[k], run.steps.adjustment.firstGroup->observedAngles[k]);
    }

    // After the last row: how many rows stopped, and the first of them, numbered as in the results.
    void reportStoppedRows() const {
        if (rowsStopped_ == 0) return;
        std::cerr << i18n::withArguments(i18n::translate("%1 行中有 %2 行中止；第一个：%3"),
                                         {std::to_string(rowsRead_), std::to_string(rowsStopped_), firstStop_})
                  << '\n';
    }

    // The result line of a row, with the checks' and the rigorous adjustment's columns after the result columns when
    // they are asked for.
    void writeResultLine(const batch::BatchResult& result, const analysis::Analysis& analysed) {
        if (standard_ || options_.rigorous.asked) {
            std::vector<std::string> moreColumns, checks;
            if (standard_) moreColumns = batch::checkColumns(), checks = batch::checkCells(analysed);
            if (options_.rigorous.asked) {
                const auto& rigorousColumns = BatchFieldBooks::rigorousColumns();
                const std::vector<std::string> rigorous = books_->rigorousCells(result);
                moreColumns.insert(moreColumns.end(), rigorousColumns.begin(), rigorousColumns.end());
                checks.insert(checks.end(), rigorous.begin(), rigorous.end());
            }
            std::ostringstream line;
            if (options_.jsonLines) {
                batch::writeJsonLine(line, result, moreColumns, checks);
            } else {
                std::vector<std::string> cells = batch::resultCells(result);
                cells.insert(cells.end(), checks.begin(), checks.end());
                batch::writeCsvRow(line, cells);
            }
            pending_.append(line.str());
        } else if (options_.jsonLines) {
            std::ostringstream line;
            batch::writeJsonLine(line, result);
            pending_ += line.str();
        } else {
            pending_ += files::guardedCsvLine(batch::resultCells(result), batch::resultQuoting);
        }
    }

    void writeReportOf(const batch::BatchResult& result, const analysis::Analysis& analysed) {
        const auto path = std::filesystem::path(options_.pdfDirectory) / reportFileName(result);
        try {
            std::filesystem::create_directories(options_.pdfDirectory);
            writeReport_(result.run.state, analysed, path.string());
        } catch (const std::exception& failure) {
            std::cerr << i18n::withArguments(i18n::translate("第 %1 行的报表没有写出：%2"),
                                             {std::to_string(result.rowNumber), failure.what()})
                      << '\n';
            status_ = ExitStatus::notWritten;
        }
    }

    void flushPending() {
        if (file_) file_->write(pending_);
        else std::cout << pending_;
        pending_.clear();
    }

    const BatchOptions& options_;
    const ReportWriter& writeReport_;
    const std::filesystem::path input_;
    const bool toStandardOutput_;
    const std::optional<analysis::CheckStandard> standard_;
    files::TextEncoding encoding_ = files::TextEncoding::utf8;
    Progress progress_;
    std::optional<files::ColumnMap> columns_;
    std::optional<batch::BatchAdjuster> adjuster_;
    std::optional<BatchFieldBooks> books_;
    std::optional<files::OutputFile> file_;
    std::string pending_;  // result lines not yet written: the file is written in large pieces
    ExitStatus status_ = ExitStatus::completed;
    std::size_t rowsRead_ = 0;
    std::size_t rowsStopped_ = 0;
    std::string firstStop_;  // the first row that stopped, with its message
};

}  // namespace

ExitStatus runBatch(const BatchOptions& options, const ReportWriter& writeReport) {
    return BatchRun(options, writeReport).run();
}

}  // namespace morvalen::cli
