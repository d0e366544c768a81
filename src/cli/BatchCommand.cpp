#include "cli/BatchCommand.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "batch/BatchAdjustment.h"
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
    explicit Progress(std::size_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}
    void rowDone(std::size_t done) const {
        if (shown_ && (done % 1000 == 0 || done == total_)) {
            std::cerr << "\r已处理 " << done << " / " << total_ << " 行" << (done == total_ ? "\n" : "") << std::flush;
        }
    }

private:
    std::size_t total_;
    bool shown_;
};

}  // namespace

int runBatch(const BatchOptions& options, const ReportWriter& writeReport) {
    std::ifstream input(options.input, std::ios::binary);
    if (!input) {
        std::cerr << "无法读取观测文件 " << options.input << '\n';
        return fileProblem;
    }
    std::ostringstream bytes;
    bytes << input.rdbuf();

    std::optional<batch::Table> table;
    std::optional<batch::ColumnMap> columns;
    try {
        table = batch::readCsv(bytes.str());
        columns.emplace(table->header);
    } catch (const batch::CampaignFileError& error) {
        std::cerr << options.input << "：" << error.what() << '\n';
        return fileProblem;
    }
    if (!options.pdfDirectory.empty() && !writeReport) {
        std::cerr << "没有写出 PDF 报表：本程序编译时没有 Qt 绘图功能。\n";
        return pdfNotWritten;
    }

    std::ofstream file;
    const bool toStandardOutput = options.output.empty() || options.output == "-";
    if (!toStandardOutput) {
        file.open(options.output, std::ios::binary);
        if (!file) {
            std::cerr << "无法写出结果文件 " << options.output << '\n';
            return fileProblem;
        }
    }
    std::ostream& out = toStandardOutput ? std::cout : file;
    if (!options.jsonLines) batch::writeCsvRow(out, batch::resultColumns());

    int status = allCompleted;
    const Progress progress(table->rows.size());
    for (std::size_t i = 0; i < table->rows.size(); ++i) {
        const batch::BatchResult result = batch::adjustRow(*columns, table->rows[i]);
        if (options.jsonLines) batch::writeJsonLine(out, result);
        else batch::writeCsvRow(out, batch::resultCells(result));
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
        progress.rowDone(i + 1);
    }
    out.flush();
    if (!out) {
        std::cerr << "结果没有完整写出\n";
        return fileProblem;
    }
    return status;
}

}  // namespace morvalen::cli
