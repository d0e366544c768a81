// morvalen-cli check-answer: a filled answer sheet checked cell by cell, or a whole class folder.
#include <algorithm>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "cli/CommandLine.h"
#include "cli/ExerciseCommand.h"
#include "command/RunRecord.h"
#include "exercise/AnswerCheck.h"
#include "exercise/ExerciseFiles.h"
#include "files/AtomicFile.h"
#include "files/CsvText.h"
#include "files/ObservationFile.h"
#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen::cli {
namespace {

using i18n::translate;
using i18n::withArguments;
namespace fs = std::filesystem;

nlohmann::ordered_json verdictJson(const exercise::AnswerVerdict& verdict) {
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    for (const exercise::CellVerdict& cell : verdict.cells) {
        const auto orNull = [](const std::string& text) {
            return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
        };
        cells.push_back({{"key", cell.key}, {"given", cell.given}, {"expected", orNull(cell.expected)}, {"ok", cell.ok()},
                         {"verdict", exercise::verdictName(cell.verdict)}, {"follows_from", orNull(cell.followsFrom)}});
    }
    return {{"cells", cells},
            {"first_wrong", verdict.firstWrong.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(verdict.firstWrong)},
            {"score", verdict.score}};
}

void printVerdict(const exercise::AnswerVerdict& verdict, std::ostream& out) {
    for (const exercise::CellVerdict& cell : verdict.cells) {
        out << cell.key << "  " << (cell.given.empty() ? "—" : cell.given) << "  "
            << (cell.expected.empty() ? "—" : cell.expected) << "  " << exercise::verdictText(cell.verdict);
        if (!cell.followsFrom.empty()) out << "  " << withArguments(translate("（由 %1 的错误而来，不计）"), {cell.followsFrom});
        out << '\n';
    }
    out << (verdict.firstWrong.empty() ? std::string(translate("全部正确"))
                                       : withArguments(translate("第一个错误：%1"), {verdict.firstWrong}))
        << '\n'
        << withArguments(translate("得分：%1（%2 / %3）"), {roundedFixed(verdict.score, 1), std::to_string(verdict.right),
                                                        std::to_string(verdict.counted)})
        << '\n';
}

// The cells of a data set, or why it gives none: it stopped, or its case gives no coordinates.
std::vector<exercise::AnswerCell> cellsOf(const Observations& data, std::string& problem) {
    const RunRecord record = computeRun(data);
    if (record.stop) {
        problem = withArguments(translate("这组观测数据无法计算：%1"), {record.stop->what()});
        return {};
    }
    return exercise::answerCells(record.steps);
}

ExitStatus checkOneSheet(const CheckAnswerOptions& options) {
    std::vector<exercise::SheetEntry> sheet;
    Observations data;
    try {
        const files::ObservationRow row = files::openObservationRow(files::pathOf(options.observations), options.rowId);
        data = row.columns.observations(row.row);
        sheet = exercise::readAnswerSheet(files::pathOf(options.sheet));
    } catch (const files::ObservationFileError& problem) {
        std::cerr << problem.what() << '\n';
        return ExitStatus::fileProblem;
    } catch (const exercise::ExerciseFileError& problem) {
        std::cerr << problem.what() << '\n';
        return ExitStatus::fileProblem;
    }
    std::string problem;
    const std::vector<exercise::AnswerCell> cells = cellsOf(data, problem);
    if (!problem.empty()) {
        std::cerr << problem << '\n';
        return ExitStatus::fileProblem;
    }
    const exercise::AnswerVerdict verdict = exercise::checkAnswer(cells, sheet);
    if (options.json) std::cout << verdictJson(verdict).dump(2) << '\n';
    else printVerdict(verdict, std::cout);
    return verdict.allRight() ? ExitStatus::completed : ExitStatus::stopped;
}

ExitStatus checkClass(const CheckAnswerOptions& options) {
    const fs::path directory = files::pathOf(options.classDirectory);
    const fs::path summaryPath = options.summary.empty() ? directory / exercise::classSummaryFileName : files::pathOf(options.summary);
    std::optional<files::ObservationFileRows> read;
    try {
        read = files::readObservationFile(directory / exercise::exercisesFileName);
    } catch (const files::ObservationFileError& problem) {
        std::cerr << problem.what() << '\n';
        return ExitStatus::fileProblem;
    }
    const files::ObservationFileRows& campaign = *read;
    std::set<std::string> known{exercise::exercisesFileName, exercise::answersFileName, exercise::answersFolderName,
                                exercise::classSummaryFileName, files::shownPath(summaryPath.filename())};
    std::string summary = "\xEF\xBB\xBF" + files::csvLine({"id", "sheet", "right", "counted", "score", "first_wrong"});
    int wrongSheets = 0;
    for (std::size_t i = 0; i < campaign.rows.size(); ++i) {
        const std::string id = campaign.columns.id(campaign.rows[i]);
        for (const std::string& name : {exercise::sheetFileName(id), exercise::answerFileName(id), exercise::fieldBookFileName(id)}) {
            known.insert(name);
        }
        const fs::path sheetPath = directory / files::pathOf(exercise::answerFileName(id));
        std::vector<std::string> cells{id, "missing", "", "", "", ""};
        try {
            std::error_code status;
            if (fs::exists(sheetPath, status)) {
                const std::vector<exercise::SheetEntry> sheet = exercise::readAnswerSheet(sheetPath);
                const bool blank = std::all_of(sheet.begin(), sheet.end(), [](const auto& entry) { return entry.given.empty(); });
                std::string problem;
                const Observations data = files::observationRow(campaign, i, directory / exercise::exercisesFileName).columns.observations(campaign.rows[i]);
                const std::vector<exercise::AnswerCell> expected = cellsOf(data, problem);
                if (blank) {
                    cells[1] = "blank";
                } else if (!problem.empty()) {
                    cells[1] = problem;
                } else {
                    const exercise::AnswerVerdict verdict = exercise::checkAnswer(expected, sheet);
                    cells = std::vector<std::string>{id, "checked", std::to_string(verdict.right), std::to_string(verdict.counted),
                             roundedFixed(verdict.score, 1), verdict.firstWrong};
                    if (!verdict.allRight()) ++wrongSheets;
                }
            }
        } catch (const std::exception& problem) {
            cells[1] = problem.what();
        }
        summary += files::csvLine(cells);
    }
    try {
        files::writeBytes(summaryPath, summary);
    } catch (const files::FileNotWritten& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
    }
    std::vector<std::string> stray;
    std::error_code status;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, status)) {
        const std::string name = files::shownPath(entry.path().filename());
        if (known.count(name) == 0) stray.push_back(name);
    }
    std::sort(stray.begin(), stray.end());
    std::cout << withArguments(translate("班级汇总已写入 %1；%2 份答卷有错"), {files::shownPath(summaryPath), std::to_string(wrongSheets)})
              << '\n';
    if (!stray.empty()) std::cout << withArguments(translate("不属于本班练习的文件：%1"), {files::quotedList(stray)}) << '\n';
    return ExitStatus::completed;
}

}  // namespace

CLI::App* addCheckAnswerCommand(CLI::App& app, CheckAnswerOptions& options) {
    CLI::App* command = addSubcommand(app, "check-answer", translate("逐格检查学生填好的答卷（或整个班级文件夹）"));
    CLI::Option* sheet = command->add_option("sheet", options.sheet, translate("填好的答卷（CSV：key,value）"))->type_name("SHEET");
    CLI::Option* observations = command->add_option("--observations", options.observations, translate("练习的观测文件（exercises.csv）"))
                                    ->type_name("FILE")
                                    ->check(fileName());
    command->add_option("--row", options.rowId, translate("观测文件中的行（学号）"))->type_name("ID")->needs(observations);
    CLI::Option* classFolder = command->add_option("--class", options.classDirectory, translate("检查文件夹中所有交回的答卷，写出班级汇总"))
                                   ->type_name("DIR")
                                   ->check(fileName());
    command->add_option("-o,--output", options.summary, translate("班级汇总文件（缺省：DIR/class-summary.csv）"))
        ->type_name("FILE")
        ->needs(classFolder);
    command->add_flag("--json", options.json, translate("只输出一个 JSON 文档"))->excludes(classFolder);
    sheet->excludes(classFolder);
    sheet->needs(observations);
    return command;
}

ExitStatus runCheckAnswer(const CheckAnswerOptions& options) {
    if (!options.classDirectory.empty()) return checkClass(options);
    if (options.sheet.empty()) {
        std::cerr << translate("check-answer 需要一份答卷（SHEET --observations FILE --row ID）或 --class DIR") << '\n';
        return ExitStatus::usageError;
    }
    return checkOneSheet(options);
}

}  // namespace morvalen::cli
