#include "cli/ExerciseCommand.h"

#include <iostream>
#include <system_error>

#include "cli/CommandLine.h"
#include "command/RunRecord.h"
#include "exercise/AnswerCells.h"
#include "exercise/ExerciseFiles.h"
#include "exercise/ExerciseTables.h"
#include "files/AtomicFile.h"
#include "i18n/Language.h"
#include "report/StepsTables.h"
#ifdef MORVALEN_WITH_PDF
#include "cli/PdfOutput.h"
#include "report/ExerciseSheetPdf.h"
#include "report/PaintedReport.h"
#endif

namespace morvalen::cli {
namespace {

using i18n::translate;
using i18n::withArguments;
namespace fs = std::filesystem;

exercise::ExerciseCase caseNamed(const std::string& name) {
    if (name == "known-side") return exercise::ExerciseCase::knownSide;
    if (name == "azimuth") return exercise::ExerciseCase::azimuth;
    return exercise::ExerciseCase::both;
}

// One student's files beside the class's: the sheet, the blank answer sheet, the field book, the answer key.
struct StudentFiles {
    const exercise::Exercise& exercise;
    RunRecord record;
    std::vector<exercise::AnswerCell> cells;
};

#ifdef MORVALEN_WITH_PDF
report::QuadrilateralSketch sketchOf(const exercise::Exercise& made) {
    const auto& names = made.observations.names;
    const bool azimuthCase = made.observations.runCase() == RunCase::azimuth;
    return {made.x, made.y, {names[0], names[1], names[2], azimuthCase ? names[3] : names[4]}};
}

// `directory`: the output folder as given, UTF-8.
void writeSheets(const StudentFiles& student, const std::string& directory) {
    const exercise::Exercise& made = student.exercise;
    const report::StepsDocument data = exercise::exerciseDataDocument(made);
    const report::StepsDocument filled = report::stepsDocument(student.record.state, student.record.steps);
    const QString sheet = QString::fromStdString(directory + "/" + exercise::sheetFileName(made.student.id));
    report::writeExerciseSheetPdf(data, sketchOf(made), exercise::blankStepsDocument(filled, made.fieldBook.empty()), sheet);
    report::StepsDocument key = filled;
    if (made.blunderAngle) {
        key.stopNote = withArguments(translate("粗差：b(%1) 加了 %2″"),
                                     {std::to_string(*made.blunderAngle),
                                      exercise::printedValue({"", made.blunderSeconds, 1, {}})});
    }
    report::writeExerciseSheetPdf(data, sketchOf(made), key,
                                  QString::fromStdString(directory + "/" + exercise::answersFolderName + "/" +
                                                         exercise::sheetFileName(made.student.id)));
}
#endif

}  // namespace

CLI::App* addExerciseCommand(CLI::App& app, ExerciseOptions& options) {
    CLI::App* command = addSubcommand(app, "exercise", translate("为名单中的每个学生生成一份练习数据、作业表和答案"));
    command->add_option("--students", options.roster, translate("学生名单（CSV，列 id,name）"))
        ->type_name("ROSTER.csv")
        ->required()
        ->check(fileName());
    command->add_option("-o,--output", options.outputDirectory, translate("输出文件夹（不存在时新建）"))
        ->type_name("DIR")
        ->required()
        ->check(fileName());
    command->add_option("--seed", options.seed, translate("随机数种子（缺省 1）：同一种子与名单得到同样的文件"))->type_name("N");
    addCheckOptions(*command, options.standard);
    command->add_option("--case", options.exerciseCase, translate("已知边（known-side）、外方位角（azimuth）或两者交替（both，缺省）"))
        ->check(CLI::IsMember({"known-side", "azimuth", "both"}));
    command->add_flag("--field-book", options.fieldBook, translate("给出方向观测手簿（两测回）而不是八个角"));
    command->add_option("--blunder", options.blunders, translate("在 K 个学生的数据中各放一个粗差（检核练习）"))
        ->type_name("K")
        ->check(CLI::NonNegativeNumber);
    return command;
}

ExitStatus runExercise(const ExerciseOptions& options) {
    std::vector<exercise::Student> students;
    try {
        students = exercise::readRoster(files::pathOf(options.roster));
    } catch (const exercise::ExerciseFileError& problem) {
        std::cerr << problem.what() << '\n';
        return ExitStatus::fileProblem;
    }
    if (options.blunders > static_cast<int>(students.size())) {
        std::cerr << withArguments(translate("--blunder %1 超过名单中的学生人数 %2"),
                                   {std::to_string(options.blunders), std::to_string(students.size())})
                  << '\n';
        return ExitStatus::usageError;
    }
    exercise::ExerciseSettings settings;
    settings.seed = options.seed;
    settings.standard = options.standard.standard().value_or(analysis::CheckStandard::ofGrade(*analysis::findGrade("四等")));
    settings.exerciseCase = caseNamed(options.exerciseCase);
    settings.fieldBook = options.fieldBook;
    settings.blunders = options.blunders;
    std::vector<exercise::Exercise> exercises;
    try {
        exercises = exercise::generateExercises(students, settings);
    } catch (const exercise::ExerciseNotMade& problem) {
        std::cerr << problem.what() << '\n';
        return ExitStatus::stopped;
    }

    const fs::path directory = files::pathOf(options.outputDirectory);
    std::error_code failed;
    fs::create_directories(directory / exercise::answersFolderName, failed);
    if (failed) {
        std::cerr << withArguments(translate("无法建立文件夹 %1：%2"), {options.outputDirectory, failed.message()}) << '\n';
        return ExitStatus::notWritten;
    }
    try {
#ifdef MORVALEN_WITH_PDF
        const PdfOutput painter;
#else
        std::cerr << translate("注意：这一版本没有 PDF 输出，作业表与答案只写 CSV 文件") << '\n';
#endif
        std::vector<std::vector<exercise::AnswerCell>> allCells;
        for (const exercise::Exercise& made : exercises) {
            StudentFiles student{made, computeRun(made.observations), {}};
            student.cells = exercise::answerCells(student.record.steps);
            const std::string& id = made.student.id;
            files::writeBytes(directory / files::pathOf(exercise::answerFileName(id)), exercise::blankAnswerCsv(student.cells));
            if (!made.fieldBook.empty()) {
                files::writeBytes(directory / files::pathOf(exercise::fieldBookFileName(id)), exercise::fieldBookCsv(made.fieldBook));
            }
#ifdef MORVALEN_WITH_PDF
            writeSheets(student, options.outputDirectory);
#endif
            allCells.push_back(std::move(student.cells));
        }
        files::writeBytes(directory / exercise::exercisesFileName, exercise::exercisesCsv(exercises));
        files::writeBytes(directory / exercise::answersFileName, exercise::answersCsv(exercises, allCells));
#ifdef MORVALEN_WITH_PDF
    } catch (const report::PrintingFailed& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
#endif
    } catch (const files::FileNotWritten& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
    }
    std::cout << withArguments(translate("已为 %1 名学生生成练习，写入 %2"), {std::to_string(exercises.size()), options.outputDirectory})
              << '\n';
    return ExitStatus::completed;
}

}  // namespace morvalen::cli
