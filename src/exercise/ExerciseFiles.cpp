#include "exercise/ExerciseFiles.h"

#include <algorithm>
#include <map>
#include <optional>

#include "entry/Utf8.h"
#include "files/AtomicFile.h"
#include "files/CsvFile.h"
#include "files/CsvText.h"
#include "files/ObservationTable.h"
#include "i18n/Language.h"

namespace morvalen::exercise {
namespace {

using i18n::translate;
using i18n::withArguments;

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Why an id cannot name the student's files; empty when it can.
std::string unfitForFileName(const std::string& id) {
    if (id == "." || id == "..") return translate("不能是 . 或 ..");
    for (const char c : id) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return translate("含有控制字符");
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            return withArguments(translate("含有文件名中不能用的字符 %1"), {std::string(1, c)});
        }
    }
    return {};
}

// The header's position of each named column; throws naming the file and the missing column.
std::vector<std::size_t> columnsOf(const std::filesystem::path& path, const std::vector<std::string>& header,
                                   std::initializer_list<const char*> names) {
    std::vector<std::size_t> positions;
    for (const char* name : names) {
        const auto found = std::find_if(header.begin(), header.end(),
                                        [&](const std::string& cell) { return trimmed(cell) == name; });
        if (found == header.end()) {
            throw ExerciseFileError(withArguments(translate("文件 %1 没有列 \"%2\""), {files::shownPath(path), name}));
        }
        positions.push_back(static_cast<std::size_t>(found - header.begin()));
    }
    return positions;
}

template <class Receive>
void readRows(const std::filesystem::path& path, const files::HeaderReceiver& onHeader, const Receive& onRow) {
    try {
        files::readCsvFile(path, onHeader, onRow);
    } catch (const files::FileNotRead& problem) {
        throw ExerciseFileError(withArguments(translate("无法读取文件 %1：%2"), {files::shownPath(path), problem.what()}));
    } catch (const files::CampaignFileError& problem) {
        throw ExerciseFileError(withArguments(translate("文件 %1 无法读取：%2"), {files::shownPath(path), problem.what()}));
    }
}

std::string cellAt(const files::TableRow& row, std::size_t at) { return at < row.cells.size() ? trimmed(row.cells[at]) : ""; }

}  // namespace

std::vector<Student> readRoster(const std::filesystem::path& path) {
    std::vector<Student> students;
    std::vector<std::size_t> columns;
    std::map<std::string, std::size_t> rowOfId;
    readRows(
        path, [&](const std::vector<std::string>& header) { columns = columnsOf(path, header, {"id", "name"}); },
        [&](const files::TableRow& row) {
            const std::string id = cellAt(row, columns[0]);
            const std::string where = withArguments(translate("名单 %1 第 %2 行"), {files::shownPath(path), std::to_string(row.sheetRow)});
            if (id.empty()) throw ExerciseFileError(withArguments(translate("%1：学号（id）为空"), {where}));
            if (const std::string why = unfitForFileName(id); !why.empty()) {
                throw ExerciseFileError(withArguments(translate("%1：学号 \"%2\" %3"), {where, id, why}));
            }
            if (const auto [earlier, added] = rowOfId.emplace(id, row.sheetRow); !added) {
                throw ExerciseFileError(withArguments(translate("%1：学号 \"%2\" 与第 %3 行重复"),
                                                      {where, id, std::to_string(earlier->second)}));
            }
            students.push_back({id, cellAt(row, columns[1])});
        });
    if (students.empty()) throw ExerciseFileError(withArguments(translate("名单 %1 中没有学生"), {files::shownPath(path)}));
    return students;
}

std::vector<SheetEntry> readAnswerSheet(const std::filesystem::path& path) {
    std::vector<SheetEntry> entries;
    std::vector<std::size_t> columns;
    bool semicolons = false;
    std::size_t headerWidth = 0;
    const auto split = [](const std::string& line) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t at = line.find(';'); at != std::string::npos; at = line.find(';', start)) {
            cells.push_back(line.substr(start, at - start));
            start = at + 1;
        }
        cells.push_back(line.substr(start));
        return cells;
    };
    readRows(
        path,
        [&](const std::vector<std::string>& header) {
            semicolons = header.size() == 1 && header[0].find(';') != std::string::npos;
            headerWidth = semicolons ? split(header[0]).size() : header.size();
            columns = columnsOf(path, semicolons ? split(header[0]) : header, {"key", "value"});
        },
        [&](const files::TableRow& read) {
            files::TableRow row = read;
            // Separated by semicolons, the comma reader cut the row at its decimal commas: joined again first.
            if (semicolons) {
                std::string line;
                for (std::size_t c = 0; c < row.cells.size(); ++c) line += (c > 0 ? "," : "") + row.cells[c];
                row.cells = split(line);
            }
            std::string value = cellAt(row, columns[1]);
            // A decimal comma written bare splits the number into the cells after it: joined again.
            if (!semicolons && columns[1] + 1 == headerWidth) {
                for (std::size_t extra = columns[1] + 1; extra < row.cells.size(); ++extra) value += "," + cellAt(row, extra);
            }
            entries.push_back({cellAt(row, columns[0]), value});
        });
    return entries;
}

std::string exercisesCsv(const std::vector<Exercise>& exercises) {
    std::string text(byteOrderMark);
    text += files::csvLine(files::campaignColumns());
    for (const Exercise& exercise : exercises) {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < files::columnCount; ++c) {
            const auto column = static_cast<files::Column>(c);
            cells.push_back(column == files::Column::id ? exercise.student.id : files::textOf(exercise.observations, column));
        }
        text += files::csvLine(cells);
    }
    return text;
}

std::string fieldBookCsv(const std::vector<fieldbook::Pointing>& pointings) {
    std::string text(byteOrderMark);
    text += files::csvLine({"station", "round", "target", "left", "right"});
    for (const fieldbook::Pointing& p : pointings) text += files::csvLine({p.station, p.round, p.target, p.left, p.right});
    return text;
}

std::string blankAnswerCsv(const std::vector<AnswerCell>& cells) {
    std::string text(byteOrderMark);
    text += files::csvLine({"key", "value"});
    for (const AnswerCell& cell : cells) text += files::csvLine({cell.key, ""});
    return text;
}

std::string answersCsv(const std::vector<Exercise>& exercises, const std::vector<std::vector<AnswerCell>>& cells) {
    std::string text(byteOrderMark);
    text += files::csvLine({"id", "name", "key", "value"});
    for (std::size_t i = 0; i < exercises.size() && i < cells.size(); ++i) {
        const Student& student = exercises[i].student;
        if (exercises[i].blunderAngle) {
            text += files::csvLine({student.id, student.name, "planted_blunder.angle", std::to_string(*exercises[i].blunderAngle)});
            text += files::csvLine({student.id, student.name, "planted_blunder.seconds",
                                    printedValue({"", exercises[i].blunderSeconds, 1, {}})});
        }
        for (const AnswerCell& cell : cells[i]) text += files::csvLine({student.id, student.name, cell.key, printedValue(cell)});
    }
    return text;
}

std::string sheetFileName(const std::string& id) { return id + ".pdf"; }
std::string answerFileName(const std::string& id) { return id + "-answer.csv"; }
std::string fieldBookFileName(const std::string& id) { return id + "-field-book.csv"; }

}  // namespace morvalen::exercise
