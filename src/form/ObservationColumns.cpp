#include "form/ObservationColumns.h"

#include "i18n/Language.h"

namespace morvalen::form {
namespace {

using i18n::catalogued;

constexpr const char* startData = catalogued("起算数据");
constexpr const char* names = catalogued("点名");
constexpr const char* angles = catalogued("观测角 (dd.mmss)");

constexpr ObservationColumn fixed(std::string_view key, const char* caption, const char* group, CaseNeed need,
                                  std::array<int, 3> labels) {
    return {key, caption, group, need, DiagramPlace::labels, labels, labels};
}

constexpr ObservationColumn angle(std::string_view key, const char* caption, int label) {
    return fixed(key, caption, angles, CaseNeed::everyCase, {label, 0, 0});
}

constexpr CaseNeed every = CaseNeed::everyCase;
constexpr CaseNeed azimuth = CaseNeed::azimuthOnly;

// A and its coordinates light A in both diagrams with its bracket "[ Xa,Ya ]"; B lights B and "[ Xb,Yb ]".
constexpr std::array<ObservationColumn, observationColumnCount> columns = {{
    fixed("xa", "Xa", startData, every, {42, 60, 62}),
    fixed("ya", "Ya", startData, every, {42, 60, 62}),
    fixed("xb", "Xb", startData, every, {43, 61, 0}),
    fixed("yb", "Yb", startData, every, {43, 61, 0}),
    {"start_side_length", catalogued("起算边长 (米)"), startData, azimuth, DiagramPlace::startSide, {}, {}},
    {"start_side_number", catalogued("起算边号"), startData, azimuth, DiagramPlace::startSide, {}, {}},
    fixed("Ta", catalogued("外方位角 Ta"), startData, azimuth, {58, 0, 0}),
    fixed("Qa", catalogued("定向角 Qa"), startData, azimuth, {59, 0, 0}),
    fixed("name_A", "A", names, every, {42, 46, 0}),
    fixed("name_P1", "P1", names, every, {44, 47, 0}),
    fixed("name_P2", "P2", names, every, {45, 48, 0}),
    fixed("name_P3", "P3", names, azimuth, {49, 0, 0}),
    {"name_closing", catalogued("闭合点"), names, every, DiagramPlace::labels, {43, 0, 0}, {46, 0, 0}},
    angle("b1", "b(1)", 50), angle("b2", "b(2)", 51), angle("b3", "b(3)", 52), angle("b4", "b(4)", 53),
    angle("b5", "b(5)", 54), angle("b6", "b(6)", 55), angle("b7", "b(7)", 56), angle("b8", "b(8)", 57),
}};

}  // namespace

const std::array<ObservationColumn, observationColumnCount>& observationColumns() { return columns; }

Control sideLabel(int n) { return label(62 + n); }

std::vector<Control> diagramLabels(const ObservationColumn& column, bool azimuthCase, std::optional<int> startSide) {
    std::vector<Control> lit;
    if (column.place == DiagramPlace::startSide) {
        if (startSide && *startSide >= 1 && *startSide <= 6) lit.push_back(sideLabel(*startSide));
        return lit;
    }
    for (const int number : azimuthCase ? column.azimuthLabels : column.knownSideLabels) {
        if (number != 0) lit.push_back(label(number));
    }
    return lit;
}

}  // namespace morvalen::form
