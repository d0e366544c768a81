#include "files/ResultTable.h"

#include <cmath>

#include "adjust/AngleConversions.h"
#include "form/FieldText.h"
#include "form/NumberChars.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

// The number a shown text stands for; the texts here are the program's own, always plain decimals.
double numberOf(const std::string& text) {
    return numberChars::read(text).value_or(0);
}

Cell numberCell(std::string text, const char* format) {
    const double value = numberOf(text);
    return {std::move(text), value, format};
}

Cell textCell(std::string text) { return {std::move(text), std::nullopt, {}}; }

}  // namespace

std::vector<Station> stations(const SurveyState& state) {
    std::vector<Station> result;
    constexpr std::size_t stationCount = 4;
    for (std::size_t i = 0; i < stationCount && i < state.pointX.size() && i < state.pointY.size(); ++i) {
        Station station;
        station.name = i < state.pointNames.size() ? state.pointNames[i] : std::string();
        // Row 0 shows A as entered, its typed digits rounded; the computed rows are rounded as stored.
        station.xText = i == 0 ? state.xa.display(Pattern::threeDecimals) : roundedFixed(state.pointX[i], 3);
        station.yText = i == 0 ? state.ya.display(Pattern::threeDecimals) : roundedFixed(state.pointY[i], 3);
        station.x = numberOf(station.xText);
        station.y = numberOf(station.yText);
        result.push_back(std::move(station));
    }
    return result;
}

ResultSheet resultTable(const SurveyState& state, const analysis::NetworkPrecision* precision) {
    ResultSheet table;
    table.headings = {"name", "X", "Y"};
    table.captions = {i18n::translate("点名"), "X (m)", "Y (m)"};
    if (precision) {
        table.headings.insert(table.headings.end(), {"mx_mm", "my_mm", "mp_mm"});
        table.captions.insert(table.captions.end(), {"mx (mm)", "my (mm)", "mp (mm)"});
    }
    std::size_t row = 0;
    for (const Station& station : stations(state)) {
        std::vector<Cell> cells = {textCell(station.name), numberCell(station.xText, "0.000"),
                                   numberCell(station.yText, "0.000")};
        if (precision) {
            const analysis::StationPrecision& errors = precision->stations.at(row);
            for (const double millimetres : {errors.mx, errors.my, errors.mp}) {
                cells.push_back(errors.fixed ? textCell({}) : numberCell(roundedFixed(millimetres, 2), "0.00"));
            }
        }
        table.rows.push_back(std::move(cells));
        ++row;
    }
    return table;
}

ResultSheet relativePrecisionTable(const analysis::NetworkPrecision& precision) {
    ResultSheet table;
    table.headings = {"from", "to", "distance_m", "sigma_distance_mm", "relative_error_denominator",
                      "sigma_azimuth_sec", "a_mm", "b_mm", "phi_deg"};
    table.captions = {i18n::translate("起点"), i18n::translate("终点"), i18n::translate("距离 (m)"), "σD (mm)", "1/T",
                      i18n::translate("σα (秒)"), "a (mm)", "b (mm)", i18n::translate("φ (度)")};
    for (const analysis::RelativePrecision& pair : precision.relative) {
        std::vector<Cell> cells = {textCell(precision.stations.at(static_cast<std::size_t>(pair.from)).name),
                                   textCell(precision.stations.at(static_cast<std::size_t>(pair.to)).name),
                                   numberCell(roundedFixed(pair.distance, 3), "0.000"),
                                   numberCell(roundedFixed(pair.distanceError, 2), "0.00")};
        if (pair.relativeErrorDenominator) {
            // As 1/m: the number of the shown text, in the general form of a single.
            const std::string denominator = generalForm(static_cast<float>(std::trunc(*pair.relativeErrorDenominator)));
            cells.push_back({"1/" + denominator, numberOf(denominator), "\"1/\"0"});
        } else {
            cells.push_back(textCell(i18n::translate("固定")));
        }
        cells.push_back(numberCell(roundedFixed(pair.azimuthError, 2), "0.00"));
        cells.push_back(numberCell(roundedFixed(pair.ellipse.a, 2), "0.00"));
        cells.push_back(numberCell(roundedFixed(pair.ellipse.b, 2), "0.00"));
        cells.push_back(numberCell(roundedFixed(pair.ellipse.phiDegrees, 1), "0.0"));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

ResultSheet adjustmentTable(const SurveyState& state) {
    ResultSheet table;
    table.headings = {i18n::translate("角"), i18n::translate("观测值 (dd.mmss)"), i18n::translate("平差值 (dd.mmss)")};
    for (std::size_t k = 1; k <= 8 && k < state.observedAngles.size() && k < state.adjustedAngles.size(); ++k) {
        const std::string name = "b(" + std::to_string(k) + ")";
        const EntryValue& observed = state.observedAngles[k];
        Cell observedCell = observed.reading() == Reading::number
                                ? numberCell(observed.display(Pattern::fiveDecimals), "0.00000")
                                : textCell(observed.typedText());
        const auto degrees = state.adjustedAngles[k].numericValue();
        Cell adjustedCell = degrees ? numberCell(roundedFixed(toDms(*degrees), 5), "0.00000") : textCell({});
        table.rows.push_back({textCell(name), std::move(observedCell), std::move(adjustedCell)});
    }
    return table;
}

ResultSheet precisionTable(const SurveyState& state) {
    ResultSheet table;
    table.headings = {i18n::translate("项目"), i18n::translate("数值"), i18n::translate("单位")};
    const auto& w = state.closures;
    const auto closure = [&](const char* name, std::size_t index, const std::string& unit) {
        if (index < w.size()) table.rows.push_back({textCell(name), numberCell(roundedFixed(w[index], 2), "0.00"),
                                                    textCell(unit)});
    };
    // The units as the fields write them behind the number, without the blank between.
    const auto unit = [](std::string_view behindNumber) { return std::string(behindNumber.substr(behindNumber.find_first_not_of(' '))); };
    const std::string seconds = unit(secondsUnit());
    const std::string logUnits = unit(logUnitsUnit());
    closure("w1", 1, seconds);
    closure("w2", 2, seconds);
    closure("wa", 3, seconds);
    closure("wb", 4, logUnits);
    table.rows.push_back({textCell("mb"), numberCell(roundedFixed(state.mb, 2), "0.00"), textCell(seconds)});
    table.rows.push_back({textCell("1/Plgs"), numberCell(roundedFixed(state.invPlgs, 5), "0.00000"), textCell({})});
    table.rows.push_back({textCell("mlogs"), numberCell(roundedFixed(state.mlgs, 2), "0.00"), textCell(logUnits)});
    // 1/m as the window writes it; the spreadsheet holds the number m of the shown text (7.685087E+07 is
    // 76850870, not the single-precision value behind it) and shows it behind "1/".
    const std::string denominator = generalForm(state.relativeErrorDenominator);
    table.rows.push_back({textCell("1/m"), {"1/" + denominator, numberOf(denominator), "\"1/\"0"}, textCell({})});
    return table;
}

}  // namespace morvalen::files
