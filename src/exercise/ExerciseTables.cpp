#include "exercise/ExerciseTables.h"

#include <algorithm>

#include "i18n/Language.h"

namespace morvalen::exercise {
namespace {

using i18n::translate;
using i18n::withArguments;
using report::Alignment;
using report::StepsTable;

// A computed value as the tables print it: a number, an angle, 1/m; texts (b(1), S(1) A–P1, formulas) are no
// values.
bool isValue(const std::string& text) {
    if (text.empty()) return false;
    const unsigned char first = static_cast<unsigned char>(text[0]);
    return (first >= '0' && first <= '9') || first == '-' || text.rfind("1/", 0) == 0 || text.rfind("\xE2\x88\x92", 0) == 0;
}

StepsTable knownDataTable(const Observations& data) {
    StepsTable made;
    made.title = translate("已知数据");
    made.heads = {translate("量"), translate("数值")};
    made.alignments = {Alignment::left, Alignment::right};
    made.rows.push_back({"xa（m）", data.xa});
    made.rows.push_back({"ya（m）", data.ya});
    if (data.runCase() == RunCase::azimuth) {
        made.rows.push_back({"Ta", data.Ta});
        made.rows.push_back({"Qa", data.Qa});
        made.rows.push_back({translate("起算边号"), "S(" + data.startSideNumber + ")"});
        made.rows.push_back({translate("起算边长（m）"), data.startSideLength});
        made.notes.push_back(translate("外方位角情况：B 点座标输入 0, 0；角度为 dd.mmss"));
    } else {
        made.rows.push_back({"xb（m）", data.xb});
        made.rows.push_back({"yb（m）", data.yb});
        made.notes.push_back(translate("已知边情况：由 A、B 两点座标起算"));
    }
    return made;
}

StepsTable stationTable(const Observations& data) {
    StepsTable made;
    made.title = translate("点号与点名");
    made.heads = {translate("点号"), translate("点名")};
    made.alignments = {Alignment::centre, Alignment::centre};
    const bool azimuthCase = data.runCase() == RunCase::azimuth;
    for (std::size_t i = 0; i < 4; ++i) {
        made.rows.push_back({std::to_string(i + 1), i < 3 ? data.names[i] : data.names[azimuthCase ? 3 : 4]});
    }
    return made;
}

StepsTable anglesTable(const Observations& data) {
    StepsTable made;
    made.title = translate("观测角（dd.mmss）");
    made.heads = {translate("角号"), translate("观测值")};
    made.alignments = {Alignment::centre, Alignment::right};
    for (std::size_t k = 0; k < 8; ++k) made.rows.push_back({"b(" + std::to_string(k + 1) + ")", data.angles[k]});
    return made;
}

StepsTable fieldBookTable(const std::vector<fieldbook::Pointing>& pointings) {
    StepsTable made;
    made.title = translate("方向观测手簿（dd.mmss）");
    made.heads = {translate("测站"), translate("测回"), translate("照准点"), translate("盘左"), translate("盘右")};
    made.alignments = {Alignment::centre, Alignment::centre, Alignment::centre, Alignment::right, Alignment::right};
    for (const fieldbook::Pointing& pointing : pointings) {
        made.rows.push_back({pointing.station, pointing.round, pointing.target, pointing.left, pointing.right});
    }
    made.notes.push_back(translate("先由手簿归算出八个角，再进行平差"));
    return made;
}

}  // namespace

report::StepsDocument exerciseDataDocument(const Exercise& exercise) {
    report::StepsDocument document;
    document.title = withArguments(translate("大地四边形平差练习  %1  %2"), {exercise.student.id, exercise.student.name});
    const Observations& data = exercise.observations;
    document.sections.push_back({translate("一、已知数据与点名"), {knownDataTable(data), stationTable(data)}});
    if (exercise.fieldBook.empty()) {
        document.sections.push_back({translate("二、观测数据"), {anglesTable(data)}});
    } else {
        document.sections.push_back({translate("二、观测数据"), {fieldBookTable(exercise.fieldBook)}});
    }
    return document;
}

report::StepsDocument blankStepsDocument(const report::StepsDocument& filled, bool anglesGiven) {
    report::StepsDocument blank = filled;
    blank.stopNote.clear();
    bool firstTable = true;
    for (report::StepsSection& section : blank.sections) {
        for (StepsTable& table : section.tables) {
            const bool traverse = table.heads.size() == 8 && table.rows.size() >= 4 && table.rows.front()[0].empty();
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                auto& row = table.rows[r];
                // The observed angles of the first table and the given station of the traverse are data.
                const bool observed = anglesGiven && firstTable && row.size() > 1 && row[1] != "Σ";
                const bool givenStation = traverse && r == 0;
                for (std::size_t c = 0; c < row.size(); ++c) {
                    if (observed && c == 2) continue;
                    if (givenStation) continue;
                    // Blanks as wide as the value, so that there is room to write it by hand.
                    if (isValue(row[c])) row[c] = std::string(std::max<std::size_t>(row[c].size(), 10) * 3 / 2, ' ');
                }
                // The route the weight function takes is the student's to find.
                if (row.size() == 3 && row[0] == translate("推算路线")) row[1] = std::string(40, ' ');
            }
            table.notes.clear();
            firstTable = false;
        }
    }
    return blank;
}

}  // namespace morvalen::exercise
