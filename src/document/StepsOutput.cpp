#include "document/StepsOutput.h"

#include <algorithm>
#include <string>

#include "entry/SurveyState.h"
#include "i18n/Language.h"
#include "report/TextReport.h"

namespace morvalen::document {
namespace {

using nlohmann::ordered_json;

// Entries first..last of an array indexed from 1 (index 0 unused).
template <class Array>
ordered_json entries(const Array& values, std::size_t first, std::size_t last) {
    ordered_json list = ordered_json::array();
    for (std::size_t i = first; i <= last; ++i) list.push_back(static_cast<double>(values[i]));
    return list;
}

template <class Value, class Make>
ordered_json orNull(const std::optional<Value>& value, Make make) {
    return value ? ordered_json(make(*value)) : ordered_json(nullptr);
}

ordered_json routeJson(const std::optional<WeightFunction>& route) {
    if (!route) return nullptr;
    switch (*route) {
    case WeightFunction::knownSideRoute1: return "1";
    case WeightFunction::knownSideRoute2: return "2";
    case WeightFunction::azimuthCase: return "azimuth";
    case WeightFunction::none: break;
    }
    return nullptr;
}

ordered_json secondGroupJson(const AdjustmentSteps& steps) {
    ordered_json group;
    group["rows"] = orNull(steps.coefficientRows, [](const auto& rows) {
        return ordered_json{entries(rows[1], 1, 8), entries(rows[2], 1, 8), entries(rows[3], 1, 8)};
    });
    group["normal"] = orNull(steps.normalMatrix, [](const auto& normal) {
        return ordered_json{entries(normal[1], 1, 3), entries(normal[2], 1, 3), entries(normal[3], 1, 3)};
    });
    group["det"] = orNull(steps.determinant, [](double det) { return det; });
    group["correlates"] = orNull(steps.correlates, [](const auto& k) { return entries(k, 0, 1); });
    group["q"] = orNull(steps.reciprocalWeight,
                        [](const ReciprocalWeightSteps& weight) { return entries(weight.q, 0, 1); });
    group["corrections_sec"] =
        orNull(steps.corrections, [](const CorrectionSteps& v) { return entries(v.corrections, 1, 8); });
    group["square_sum"] = orNull(steps.corrections, [](const CorrectionSteps& v) { return v.squareSum; });
    return group;
}

ordered_json coordinatesJson(const ComputationSteps& steps) {
    if (!steps.coordinatesCalled) return nullptr;
    const CoordinateSteps& coordinates = steps.coordinates;
    const auto n = static_cast<std::size_t>(coordinates.stations);
    ordered_json made;
    made["case"] = caseKey(n == 4 ? RunCase::azimuth : RunCase::knownSide);
    if (coordinates.knownSide) {
        const KnownSideStart& known = *coordinates.knownSide;
        made["start"] = {{"delta_x_m", known.deltaX}, {"delta_y_m", known.deltaY}, {"length_m", known.length},
                         {"azimuth_deg", known.azimuth}};
    } else if (coordinates.azimuthStart) {
        const AzimuthStart& given = *coordinates.azimuthStart;
        made["start"] = {{"ta_deg", given.externalAzimuth}, {"qa_deg", given.orientationAngle},
                         {"side", given.startSide}, {"length_m", given.length}};
    } else {
        made["start"] = nullptr;
    }
    made["azimuths_deg"] = orNull(coordinates.azimuths, [n](const auto& azimuths) { return entries(azimuths, 1, n); });
    made["side_chain"] = orNull(coordinates.legs, [](const TraverseLegs& legs) {
        ordered_json chain = ordered_json::array();
        for (int i = 0; i < legs.chainLength; ++i) {
            const SideChainStep& side = legs.chain[static_cast<std::size_t>(i)];
            chain.push_back({{"side", side.newSide}, {"from", side.fromSide}, {"numerator", side.numeratorAngle},
                             {"denominator", side.denominatorAngle}, {"sine_numerator", side.numeratorSine},
                             {"sine_denominator", side.denominatorSine}, {"length_m", side.length}});
        }
        return chain;
    });
    made["sides_m"] = orNull(coordinates.legs, [n](const TraverseLegs& legs) { return entries(legs.sides, 1, n); });
    made["traverse"] = ordered_json(nullptr);
    if (coordinates.legs && coordinates.traverse) {
        const TraverseSteps& traverse = *coordinates.traverse;
        made["traverse"] = {{"delta_x_m", entries(coordinates.legs->deltaX, 1, n)},
                            {"delta_y_m", entries(coordinates.legs->deltaY, 1, n)},
                            {"x_m", entries(traverse.x, 0, n)},
                            {"y_m", entries(traverse.y, 0, n)},
                            {"closure_m", {traverse.closureX, traverse.closureY}}};
    }
    return made;
}

std::string padded(const std::string& text, int width, report::Alignment alignment) {
    const int blanks = std::max(0, width - report::terminalWidth(text));
    switch (alignment) {
    case report::Alignment::left: return text + std::string(static_cast<std::size_t>(blanks), ' ');
    case report::Alignment::right: return std::string(static_cast<std::size_t>(blanks), ' ') + text;
    case report::Alignment::centre: break;
    }
    const auto before = static_cast<std::size_t>(blanks / 2);
    return std::string(before, ' ') + text + std::string(static_cast<std::size_t>(blanks) - before, ' ');
}

void printTable(const report::StepsTable& table, std::ostream& out) {
    std::vector<int> widths(table.heads.size(), 0);
    const auto widen = [&](const std::vector<std::string>& row) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], report::terminalWidth(row[c]));
        }
    };
    widen(table.heads);
    for (const auto& row : table.rows) widen(row);
    std::string rule = "+";
    for (int width : widths) rule += std::string(static_cast<std::size_t>(width) + 2, '-') + "+";
    const auto printRow = [&](const std::vector<std::string>& row, bool head) {
        out << '|';
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::string text = c < row.size() ? row[c] : std::string();
            const auto alignment = head ? report::Alignment::centre : table.alignments.at(c);
            out << ' ' << padded(text, widths[c], alignment) << " |";
        }
        out << '\n';
    };
    out << table.title << '\n' << rule << '\n';
    printRow(table.heads, true);
    out << rule << '\n';
    for (const auto& row : table.rows) printRow(row, false);
    out << rule << '\n';
    for (const std::string& note : table.notes) out << "  " << note << '\n';
}

}  // namespace

ordered_json stepsJson(const ComputationSteps& steps) {
    const AdjustmentSteps& adjustment = steps.adjustment;
    ordered_json document;
    document["first_group"] = orNull(adjustment.firstGroup, [&](const FirstGroupSteps& first) {
        ordered_json group;
        group["shares_sec"] = entries(first.shares, 0, 1);
        group["angles_deg"] = entries(first.angles, 1, 8);
        group["square_sum"] = orNull(adjustment.firstGroupSquareSum, [](double sum) { return sum; });
        return group;
    });
    document["pole"] = orNull(adjustment.pole, [](const PoleSteps& pole) {
        return ordered_json{{"coefficients", entries(pole.coefficients, 1, 8)},
                            {"log_sine_sums", entries(pole.logSineSums, 0, 1)}};
    });
    document["weight_function"] = orNull(adjustment.routeStrengths, [&](const std::array<double, 2>& strengths) {
        return ordered_json{{"route_strengths", entries(strengths, 0, 1)},
                            {"route", routeJson(adjustment.weightFunction)}};
    });
    document["second_group"] = adjustment.coefficientRows ? secondGroupJson(adjustment) : ordered_json(nullptr);
    document["after_adjustment"] = orNull(adjustment.afterAdjustment, [](const AfterAdjustmentSteps& after) {
        return ordered_json{{"closures_sec", entries(after.closures, 0, 3)}};
    });
    document["coordinates"] = coordinatesJson(steps);
    return document;
}

void printStepsText(const report::StepsDocument& document, std::ostream& out) {
    out << "\n== " << i18n::translate("计算过程") << " ==\n";
    for (const report::StepsSection& section : document.sections) {
        out << '\n' << section.heading << '\n';
        for (const report::StepsTable& table : section.tables) {
            out << '\n';
            printTable(table, out);
        }
    }
    if (document.sections.empty()) out << i18n::translate("没有计算过程：计算在第一组平差之前已中止。") << '\n';
    if (!document.stopNote.empty()) out << '\n' << document.stopNote << '\n';
}

}  // namespace morvalen::document
