#include "web/ExerciseCalls.h"

#include <zip.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "command/RunRecord.h"
#include "document/ChecksOutput.h"
#include "exercise/AnswerCells.h"
#include "exercise/ExerciseFiles.h"
#include "exercise/ExerciseTables.h"
#include "files/AtomicFile.h"
#include "i18n/Language.h"
#include "web/ExerciseSheetHtml.h"
#include "web/ObservationsPrompt.h"
#include "web/StepsJson.h"

namespace morvalen::web {
namespace {

using nlohmann::ordered_json;
using i18n::translate;
using i18n::withArguments;

ordered_json problem(const std::string& reason) { return {{"problem", reason}}; }

files::FileNotWritten notWritten(const std::string& name) {
    return files::FileNotWritten(withArguments(translate("无法写出文件 %1：%2"), {name, files::writeReason(errno)}));
}

// A zip file of named contents, written by minizip (the one libxlsxwriter brings); names in UTF-8.
class ZipFile {
public:
    explicit ZipFile(const std::string& path) : file_(zipOpen64(path.c_str(), APPEND_STATUS_CREATE)) {
        if (!file_) throw notWritten(path);
    }
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;
    ~ZipFile() {
        if (file_) zipClose(file_, nullptr);
    }
    void add(const std::string& name, const std::string& bytes) {
        zip_fileinfo info{};  // no date: the same kit gives the same file
        constexpr uLong utf8Names = 1 << 11;  // general purpose flag 11: the names are UTF-8
        constexpr int memoryLevel = 8;         // zlib's default
        const bool written =
            zipOpenNewFileInZip4_64(file_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                    Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, memoryLevel, Z_DEFAULT_STRATEGY, nullptr, 0,
                                    0, utf8Names, 0) == ZIP_OK &&
            zipWriteInFileInZip(file_, bytes.data(), static_cast<unsigned>(bytes.size())) == ZIP_OK &&
            zipCloseFileInZip(file_) == ZIP_OK;
        if (!written) throw notWritten(name);
        names_.push_back(name);
    }
    const std::vector<std::string>& names() const { return names_; }

private:
    zipFile file_;
    std::vector<std::string> names_;
};

exercise::ExerciseSettings settingsOf(const ordered_json& request) {
    exercise::ExerciseSettings settings;
    settings.seed = request.value("seed", std::uint64_t{1});
    document::CheckOptions checks;
    checks.gradeName = request.value("grade", "");
    checks.sigmaSeconds = request.value("sigma", 0.0);
    settings.standard = checks.standard().value_or(analysis::CheckStandard::ofGrade(*analysis::findGrade("四等")));
    const std::string caseName = request.value("case", "both");
    settings.exerciseCase = caseName == "known-side" ? exercise::ExerciseCase::knownSide
                            : caseName == "azimuth"  ? exercise::ExerciseCase::azimuth
                                                     : exercise::ExerciseCase::both;
    settings.fieldBook = request.value("field_book", false);
    settings.blunders = request.value("blunders", 0);
    return settings;
}

// The run of the table's data, or the reason it gives no cells to fill.
RunRecord runOf(const ordered_json& request, std::string& why) {
    RunRecord record = computeRun(observationsOf(request.at("observations")));
    if (record.stop) why = withArguments(translate("这组观测数据无法计算：%1"), {record.stop->what()});
    return record;
}

ordered_json placeJson(const std::string& key) {
    const std::optional<exercise::TablePlace> place = exercise::tablePlace(key);
    if (!place) return nullptr;
    return {{"table", place->table}, {"row", place->row}, {"column", place->column}};
}

}  // namespace

ordered_json exerciseKit(const ordered_json& request) {
    try {
        const std::vector<exercise::Student> students = exercise::readRoster(files::pathOf(request.at("roster").get<std::string>()));
        const exercise::ExerciseSettings settings = settingsOf(request);
        if (settings.blunders < 0 || settings.blunders > static_cast<int>(students.size())) {
            return problem(withArguments(translate("放粗差的人数 %1 超过名单中的学生人数 %2"),
                                         {std::to_string(settings.blunders), std::to_string(students.size())}));
        }
        const std::vector<exercise::Exercise> exercises = exercise::generateExercises(students, settings);
        const std::string zipPath = request.at("zip");
        std::error_code ignored;
        std::filesystem::create_directories(files::pathOf(zipPath).parent_path(), ignored);
        std::filesystem::remove(files::pathOf(zipPath), ignored);  // a kit made before: replaced
        ZipFile zip(zipPath);
        std::vector<std::vector<exercise::AnswerCell>> allCells;
        for (const exercise::Exercise& made : exercises) {
            const RunRecord record = computeRun(made.observations);
            allCells.push_back(exercise::answerCells(record.steps));
            const std::string& id = made.student.id;
            const report::StepsDocument data = exercise::exerciseDataDocument(made);
            const report::StepsDocument filled = report::stepsDocument(record.state, record.steps);
            zip.add(id + ".html", exerciseSheetHtml(data, made, exercise::blankStepsDocument(filled, made.fieldBook.empty())));
            zip.add(exercise::answerFileName(id), exercise::blankAnswerCsv(allCells.back()));
            if (!made.fieldBook.empty()) zip.add(exercise::fieldBookFileName(id), exercise::fieldBookCsv(made.fieldBook));
            report::StepsDocument key = filled;
            if (made.blunderAngle) {
                key.stopNote = withArguments(translate("粗差：b(%1) 加了 %2″"),
                                             {std::to_string(*made.blunderAngle),
                                              exercise::printedValue({"", made.blunderSeconds, 1, {}})});
            }
            zip.add(std::string(exercise::answersFolderName) + "/" + id + ".html", exerciseSheetHtml(data, made, key));
        }
        zip.add(exercise::exercisesFileName, exercise::exercisesCsv(exercises));
        zip.add(exercise::answersFileName, exercise::answersCsv(exercises, allCells));
        return {{"zip", zipPath}, {"students", exercises.size()}, {"files", zip.names()}};
    } catch (const exercise::ExerciseFileError& reason) {
        return problem(reason.what());
    } catch (const exercise::ExerciseNotMade& reason) {
        return problem(reason.what());
    } catch (const files::FileNotWritten& reason) {
        return problem(reason.what());
    }
}

ordered_json answerSheet(const ordered_json& request) {
    std::string why;
    const RunRecord record = runOf(request, why);
    if (!why.empty()) return problem(why);
    ordered_json listed = ordered_json::array();
    for (const exercise::AnswerCell& cell : exercise::answerCells(record.steps)) {
        listed.push_back({{"key", cell.key}, {"decimals", cell.decimals}, {"place", placeJson(cell.key)}});
    }
    const report::StepsDocument blank = exercise::blankStepsDocument(report::stepsDocument(record.state, record.steps));
    return {{"tables", stepsTablesJson(blank)}, {"cells", listed}};
}

ordered_json checkAnswer(const ordered_json& request) {
    std::string why;
    const RunRecord record = runOf(request, why);
    if (!why.empty()) return problem(why);
    std::vector<exercise::SheetEntry> sheet;
    if (request.contains("path")) {
        try {
            sheet = exercise::readAnswerSheet(files::pathOf(request.at("path").get<std::string>()));
        } catch (const exercise::ExerciseFileError& reason) {
            return problem(reason.what());
        }
    } else {
        for (const auto& entry : request.at("sheet")) sheet.push_back({entry.at(0), entry.at(1)});
    }
    const exercise::AnswerVerdict verdict = exercise::checkAnswer(exercise::answerCells(record.steps), sheet);
    const auto orNull = [](const std::string& text) { return text.empty() ? ordered_json(nullptr) : ordered_json(text); };
    ordered_json listed = ordered_json::array();
    for (const exercise::CellVerdict& cell : verdict.cells) {
        listed.push_back({{"key", cell.key}, {"given", cell.given}, {"expected", orNull(cell.expected)},
                          {"ok", cell.ok()}, {"verdict", exercise::verdictName(cell.verdict)},
                          {"follows_from", orNull(cell.followsFrom)},
                          {"verdict_text", exercise::verdictText(cell.verdict)}, {"place", placeJson(cell.key)}});
    }
    std::string firstWrongText;
    if (!verdict.firstWrong.empty()) {
        const std::optional<exercise::TablePlace> place = exercise::tablePlace(verdict.firstWrong);
        firstWrongText = place ? withArguments(translate("第一个错误：表 %1 第 %2 行，%3"),
                                               {std::to_string(place->table), std::to_string(place->row + 1), verdict.firstWrong})
                               : withArguments(translate("第一个错误：%1"), {verdict.firstWrong});
    }
    return {{"cells", listed},     {"first_wrong", orNull(verdict.firstWrong)}, {"score", verdict.score},
            {"right", verdict.right}, {"counted", verdict.counted},            {"first_wrong_text", firstWrongText}};
}

}  // namespace morvalen::web
