#include "cli/BatchCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "batch/BatchAdjustment.h"
#include "batch/BatchChecks.h"
#include "cli/Console.h"
#include "entry/Utf8.h"
#include "report/ReportModel.h"

namespace morvalen::cli {
namespace {

constexpr int allCompleted = 0;
constexpr int someRowsStopped = 3;
constexpr int pdfNotWritten = 4;
constexpr int fileProblem = 5;

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
            std::cerr << "\r已处理 " << done << " / " << total_ << " 行" << (done == total_ ? "\n" : "") << std::flush;
        }
    }

private:
    std::size_t total_ = 0;
    bool shown_;
};

// Ends the batch before its first row, with the exit status to give.
struct BatchAbandoned {
    int status;
};

}  // namespace

int runBatch(const BatchOptions& options, const ReportWriter& writeReport) {
    std::ifstream input(options.input, std::ios::binary);
    if (!input) {
        std::cerr << "无法读取观测文件 " << options.input << '\n';
        return fileProblem;
    }
    // The file is read in pieces of a size that stays in the cache, each parsed as it arrives.
    std::vector<char> piece(1 << 16);
    const auto readAll = [&](std::istream& file, files::CsvRowReader& reader) {
        while (file.read(piece.data(), static_cast<std::streamsize>(piece.size())) || file.gcount() > 0) {
            reader.read(std::string_view(piece.data(), static_cast<std::size_t>(file.gcount())));
        }
        if (file.bad()) throw files::CampaignFileError("读取文件时出错");
        reader.finish();
    };

    Progress progress;
    if (progress.shown()) {
        std::size_t rows = 0;
        try {
            std::ifstream counted(options.input, std::ios::binary);
            files::CsvRowReader counter([](const std::vector<std::string>&) {}, [&](const files::TableRow&) { ++rows; });
            readAll(counted, counter);
        } catch (const files::CampaignFileError&) {
            // reported by the reading below
        }
        progress.setTotal(rows);
    }

    std::optional<files::ColumnMap> columns;
    std::optional<batch::BatchAdjuster> adjuster;
    std::ofstream file;
    const bool toStandardOutput = options.output.empty() || options.output == "-";
    std::ostream& out = toStandardOutput ? std::cout : file;
    std::string pending;  // result lines not yet written: the file is written in large pieces
    constexpr std::size_t writeSize = 1 << 18;
    int status = allCompleted;
    const std::optional<analysis::CheckStandard> standard = options.checks.standard();

    const auto startResults = [&](const std::vector<std::string>& header) {
        columns.emplace(header);
        adjuster.emplace(*columns);
        if (!options.pdfDirectory.empty() && !writeReport) {
            std::cerr << "没有写出 PDF 报表：本程序编译时没有 Qt 绘图功能。\n";
            throw BatchAbandoned{pdfNotWritten};
        }
        if (!toStandardOutput) {
            file.open(options.output, std::ios::binary);
            if (!file) {
                std::cerr << "无法写出结果文件 " << options.output << '\n';
                throw BatchAbandoned{fileProblem};
            }
        }
        if (!options.jsonLines) {
            std::vector<std::string> header = batch::resultColumns();
            if (standard) header.insert(header.end(), batch::checkColumns().begin(), batch::checkColumns().end());
            batch::writeCsvRow(out, header);
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
        if (pending.size() >= writeSize) {
            out << pending;
            pending.clear();
        }
        if (!result.completed()) status = std::max(status, someRowsStopped);
        if (!options.pdfDirectory.empty() && report::printingAllowed(result.state)) {
            const auto path = std::filesystem::path(options.pdfDirectory) / reportFileName(result);
            try {
                std::filesystem::create_directories(options.pdfDirectory);
                writeReport(result.state, path.string());
            } catch (const std::exception& failure) {
                std::cerr << "第 " << result.rowNumber << " 行的报表没有写出：" << failure.what() << '\n';
                status = pdfNotWritten;
            }
        }
        progress.rowDone(row.rowNumber);
    };

    try {
        files::CsvRowReader reader(startResults, adjustRow);
        readAll(input, reader);
    } catch (const files::CampaignFileError& error) {
        std::cerr << options.input << "：" << error.what() << '\n';
        return fileProblem;
    } catch (const BatchAbandoned& abandoned) {
        return abandoned.status;
    }
    out << pending;
    out.flush();
    if (!out) {
        std::cerr << "结果没有完整写出\n";
        return fileProblem;
    }
    return status;
}

}  // namespace morvalen::cli
