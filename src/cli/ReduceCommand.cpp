#include "cli/ReduceCommand.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "cli/CheckOptions.h"
#include "cli/CommandLine.h"
#include "cli/FileCommands.h"
#include "fieldbook/FieldBookCsv.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "files/ObservationFile.h"
#include "i18n/Language.h"
#include "report/FieldBookPage.h"
#include "report/TextReport.h"

namespace morvalen::cli {
namespace {

using fieldbook::packedAngleText;

// Seconds of arc for the JSON document, to `decimals` places, never -0.
double rounded(double seconds, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(seconds * scale) / scale + 0.0;
}

nlohmann::ordered_json optionalSeconds(const std::optional<double>& seconds) {
    return seconds ? nlohmann::ordered_json(rounded(*seconds, 1)) : nlohmann::ordered_json(nullptr);
}

const char* kindKey(fieldbook::CheckKind kind) {
    switch (kind) {
        case fieldbook::CheckKind::closure: return "closure";
        case fieldbook::CheckKind::twoCSpread: return "two_c_spread";
        case fieldbook::CheckKind::roundSpread: return "round_spread";
    }
    return "";
}

nlohmann::ordered_json stationJson(const fieldbook::Station& station) {
    nlohmann::ordered_json rounds = nlohmann::ordered_json::array();
    for (const fieldbook::Round& round : station.rounds) {
        nlohmann::ordered_json pointings = nlohmann::ordered_json::array();
        for (const fieldbook::ReducedPointing& pointing : round.pointings) {
            pointings.push_back({{"target", pointing.target}, {"left", pointing.left}, {"right", pointing.right},
                                 {"two_c_sec", rounded(pointing.twoC, 1)}, {"mean", packedAngleText(pointing.mean)},
                                 {"reduced", pointing.reduced ? nlohmann::ordered_json(packedAngleText(*pointing.reduced))
                                                              : nlohmann::ordered_json(nullptr)}});
        }
        nlohmann::ordered_json closure = nullptr;
        if (round.closure) closure = {{"left", rounded(round.closure->left, 1)}, {"right", rounded(round.closure->right, 1)}};
        rounds.push_back({{"round", round.number}, {"pointings", pointings}, {"closure_sec", closure}});
    }
    nlohmann::ordered_json directions = nlohmann::ordered_json::array();
    for (const fieldbook::Direction& direction : station.directions) {
        directions.push_back({{"target", direction.target}, {"mean", packedAngleText(direction.mean)},
                              {"round_spread_sec", rounded(direction.roundSpread, 1)}});
    }
    return {{"name", station.name}, {"rounds", rounds}, {"directions", directions},
            {"sigma_sec", station.sigma ? nlohmann::ordered_json(rounded(*station.sigma, 2)) : nlohmann::ordered_json(nullptr)}};
}

// The four names of --stations; nullopt, with the reason on stderr, for other than four.
std::optional<std::array<std::string, 4>> stationNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t from = 0;
    for (std::size_t comma; (comma = list.find(',', from)) != std::string::npos; from = comma + 1) {
        names.push_back(list.substr(from, comma - from));
    }
    names.push_back(list.substr(from));
    if (names.size() != 4 || std::any_of(names.begin(), names.end(), [](const std::string& name) { return name.empty(); })) {
        std::cerr << i18n::translate("--stations 需要四个测站名，以逗号分开，按顺时针顺序：A,P1,P2,B") << '\n';
        return std::nullopt;
    }
    return std::array<std::string, 4>{names[0], names[1], names[2], names[3]};
}

// The row `id` of the observation file at `path`; nullopt when there is no such file or row (or no id asked).
std::optional<files::ObservationRow> heldRow(const std::string& path, const std::string& id) {
    if (id.empty()) return std::nullopt;
    std::optional<files::ObservationFileRows> rows;
    try {
        rows = files::readObservationFile(path);
    } catch (const files::ObservationFileError&) {
        return std::nullopt;  // a missing or empty file gets its first row; anything else is named when it is saved
    }
    for (std::size_t index = 0; index < rows->rows.size(); ++index) {
        if (rows->columns.id(rows->rows[index]) == id) return files::observationRow(*rows, index, path);
    }
    return std::nullopt;
}

// Keeps the names and the angles as a row of an observation file: the row `id` where the file holds it, otherwise
// one more row. The fourth station is P3 in a row of the azimuth case (whose closing point is A unless the row names
// it), B otherwise.
ExitStatus saveReducedAngles(const fieldbook::FieldBookReduction& reduction, const ReduceOptions& options) {
    using files::Column;
    const std::string& path = options.saveObservationsPath;
    const std::string id = options.rowId.value_or("");
    Observations values;
    values.names[0] = reduction.quadrilateral[0];
    values.names[1] = reduction.quadrilateral[1];
    values.names[2] = reduction.quadrilateral[2];
    values.names[4] = reduction.quadrilateral[3];
    for (std::size_t k = 0; k < 8; ++k) values.angles[k] = reduction.angles[k];
    return savingObservations([&] {
        const std::optional<files::ObservationRow> held = heldRow(path, id);
        if (!held) return saveRunObservations(values, path, id);
        const auto cell = [&](Column column) { return EntryValue::text(std::string(held->columns.cell(held->row, column))); };
        if (runCase(cell(Column::xb), cell(Column::yb)) == RunCase::azimuth) {
            values.names[3] = reduction.quadrilateral[3];
            values.names[4] =
                held->columns.cell(held->row, Column::nameClosing).empty() ? reduction.quadrilateral[0] : std::string();
        }
        files::fillObservationRow(path, values, id);
        return ExitStatus::completed;
    });
}

}  // namespace

CLI::App* addReduceCommand(CLI::App& app, ReduceOptions& options) {
    CLI::App* reduce = addSubcommand(app, "reduce", i18n::translate("归算观测手簿（方向观测法，多测回）为八个观测角，按限差检核"));
    reduce->add_option("fieldbook", options.fieldBookPath, i18n::translate("观测手簿（CSV：station,round,target,left,right；或全站仪原始数据 GSI、SDR33、GTS-7）"))
        ->required()
        ->type_name("FILE");
    reduce->add_option("--stations", options.stations, i18n::translate("四边形的四个测站，按顺时针顺序：A,P1,P2,B（缺省：按手簿中首次出现的顺序）"))
        ->type_name("A,P1,P2,B");
    reduce->add_option("--instrument", options.instrument, i18n::translate("仪器等级（秒）：0.5、1、2 或 6（缺省 2）"))
        ->check(CLI::IsMember({"0.5", "1", "2", "6"}));
    addGradeOption(*reduce, options.gradeName, i18n::translate("测量等级：选择限差表中四等及以上或一级及以下的一行（缺省：四等及以上）"));
    reduce->add_flag("--json", options.json, i18n::translate("只输出一个 JSON 文档"));
    CLI::Option* save = reduce->add_option("--save-observations", options.saveObservationsPath,
                                           i18n::translate("把测站名和八个角存入观测文件的一行"))->type_name("FILE");
    reduce->add_option("--save-field-book", options.saveFieldBookPath,
                       i18n::translate("把读入的观测手簿存为 CSV（含距离等可选列），以便检查或修改"))->type_name("OUT.csv");
    reduce->add_option("--row", options.rowId, i18n::translate("存入观测文件中 id 为 ID 的行（缺省：新的一行）"))->type_name("ID")->needs(save);
    return reduce;
}

nlohmann::ordered_json reductionJson(const fieldbook::FieldBookReduction& reduction) {
    nlohmann::ordered_json stations = nlohmann::ordered_json::array();
    for (const fieldbook::Station& station : reduction.stations) stations.push_back(stationJson(station));
    nlohmann::ordered_json checks = nlohmann::ordered_json::array();
    for (const fieldbook::Check& check : reduction.checks) {
        checks.push_back({{"station", check.station},
                          {"round", check.round ? nlohmann::ordered_json(*check.round) : nlohmann::ordered_json(nullptr)},
                          {"kind", kindKey(check.kind)}, {"value_sec", rounded(check.value, 1)},
                          {"limit_sec", optionalSeconds(check.limit)}, {"ok", check.ok},
                          {"applicable", check.applicable}});
    }
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const fieldbook::MeasuredLine& line : reduction.lines) {
        lines.push_back({{"from", line.from}, {"to", line.to}, {"count", line.count},
                         {"mean_m", std::round(line.mean * 1e4) / 1e4}, {"spread_mm", rounded(line.spread * 1000, 1)}});
    }
    nlohmann::ordered_json distances = nlohmann::ordered_json::array();
    for (const fieldbook::LineDistance& line : reduction.distances) {
        distances.push_back({{"station", line.station}, {"target", line.target}, {"n", line.count},
                             {"horizontal_m", rounded(line.horizontal, 4)}, {"spread_mm", rounded(line.spread, 1)}});
    }
    return {{"instrument", std::string(reduction.limits->instrument)}, {"stations", stations}, {"checks", checks},
            {"lines", lines}, {"angles", reduction.angles}, {"distances", distances}};
}

ExitStatus runReduce(const ReduceOptions& options) {
    std::optional<std::array<std::string, 4>> names;
    if (!options.stations.empty() && !(names = stationNames(options.stations))) return ExitStatus::usageError;
    const analysis::Grade* grade = document::gradeNamed(options.gradeName);
    const analysis::DirectionMethodLimits* chosen = grade ? analysis::findDirectionMethodLimits(options.instrument, *grade)
                                                          : analysis::findDirectionMethodLimits(options.instrument);
    if (!chosen) {
        std::cerr << i18n::withArguments(i18n::translate("%1″ 级仪器不用于 %2 的方向观测：限差表没有这一行"),
                                         {options.instrument, i18n::translate(grade->name.data())})
                  << '\n';
        return ExitStatus::usageError;
    }
    if (const std::string refused = refusedOutput({options.saveObservationsPath}, {options.fieldBookPath}); !refused.empty()) {
        std::cerr << refused << '\n';
        return ExitStatus::notWritten;
    }
    const analysis::DirectionMethodLimits& limits = *chosen;
    std::optional<fieldbook::FieldBookReduction> reduction;
    std::vector<fieldbook::Pointing> pointings;
    try {
        pointings = fieldbook::readFieldBook(options.fieldBookPath);
        reduction = fieldbook::reduceFieldBook(pointings, limits, names);
    } catch (const fieldbook::FieldBookError& problem) {
        std::cerr << i18n::withArguments(i18n::translate("观测手簿 %1 无法归算：%2"),
                                         {files::shownPath(options.fieldBookPath), problem.what()})
                  << '\n';
        return ExitStatus::fileProblem;
    }
    if (options.json) {
        std::cout << reductionJson(*reduction).dump(2) << '\n';
    } else {
        std::cout << report::renderText(report::fieldBookPageLines(*reduction));
    }
    std::cout.flush();
    ExitStatus status = ExitStatus::completed;
    if (!options.saveFieldBookPath.empty()) {
        try {
            fieldbook::saveFieldBook(files::pathOf(options.saveFieldBookPath), pointings, files::pathOf(options.fieldBookPath));
        } catch (const files::FileNotWritten& failure) {
            std::cerr << i18n::withArguments(i18n::translate("没有保存观测手簿：%1"), {failure.what()}) << '\n';
            status = ExitStatus::notWritten;
        }
    }
    return firstFailure(status, options.saveObservationsPath.empty() ? ExitStatus::completed
                                                                      : saveReducedAngles(*reduction, options));
}

std::optional<fieldbook::FieldBookAngles> openFieldBook(const std::string& path, const std::string& gradeName) {
    // A 2″ instrument, its limits in the row of the grade checked against, where the table has one.
    const analysis::Grade* grade = document::gradeNamed(gradeName);
    const analysis::DirectionMethodLimits* limits = grade ? analysis::findDirectionMethodLimits("2", *grade) : nullptr;
    if (!limits) limits = analysis::findDirectionMethodLimits("2");
    try {
        return fieldbook::FieldBookAngles(fieldbook::readFieldBook(path), *limits);
    } catch (const fieldbook::FieldBookError& problem) {
        std::cerr << i18n::withArguments(i18n::translate("观测手簿 %1 无法归算：%2"), {files::shownPath(path), problem.what()})
                  << '\n';
        return std::nullopt;
    }
}

}  // namespace morvalen::cli
