#include "entry/ObservationChecks.h"

#include "entry/DecimalNumber.h"
#include "entry/PackedAngle.h"
#include "form/ObservationColumns.h"
#include "i18n/Language.h"

namespace morvalen {
namespace {

using i18n::translate;

bool isAngle(EnteredValue value) { return value >= EnteredValue::b1; }
bool isName(EnteredValue value) { return value >= EnteredValue::nameA && value < EnteredValue::b1; }

std::optional<std::string> numberProblem(EnteredValue value, const DecimalNumber& number, double reading) {
    if (isPackedAngle(value)) {
        const TypedMinutesSeconds typed = typedMinutesSeconds(number);
        if (typed.minutes >= 60 || typed.wholeSeconds >= 60) {
            return translate("dd.mmss 的分和秒都必须小于 60");
        }
    }
    if (isAngle(value) && (number.negative || number.isZero() || reading >= 180.0)) {
        return translate("观测角必须大于 0° 且小于 180°");
    }
    if (value == EnteredValue::startSideNumber &&
        (number.exponent < 0 || reading < 1.0 || reading > 6.0)) {  // normalised: a fraction has exponent < 0
        return translate("起算边编号必须是 1 至 6 的整数");
    }
    if (value == EnteredValue::startSideLength && (number.negative || number.isZero())) {
        return translate("起算边长度必须大于零");
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> valueProblem(const Observations& observations, EnteredValue value) {
    if (!observations.asks(value)) return std::nullopt;
    const std::string& text = observations.text(value);
    if (text.find_first_not_of(" \t") == std::string::npos) return translate("没有输入");
    if (isName(value)) return std::nullopt;
    const TypedNumber number = readTypedNumber(text);
    if (!number.decimal) return translate("不是数值");
    if (!number.value) return translate("超出数值范围");
    return numberProblem(value, *number.decimal, *number.value);
}

std::string valueName(EnteredValue value) {
    switch (value) {
    case EnteredValue::xa: return "Xa";
    case EnteredValue::ya: return "Ya";
    case EnteredValue::xb: return "Xb";
    case EnteredValue::yb: return "Yb";
    case EnteredValue::startSideLength: return translate("起算边长");
    case EnteredValue::startSideNumber: return translate("起算边编号");
    case EnteredValue::Ta: return "Ta";
    case EnteredValue::Qa: return "Qa";
    case EnteredValue::nameA: return i18n::withArguments(translate("%1 点名"), {"A"});
    case EnteredValue::nameP1: return i18n::withArguments(translate("%1 点名"), {"P1"});
    case EnteredValue::nameP2: return i18n::withArguments(translate("%1 点名"), {"P2"});
    case EnteredValue::nameP3: return i18n::withArguments(translate("%1 点名"), {"P3"});
    case EnteredValue::nameClosing: return translate("闭合点点名");
    default: break;
    }
    return "b(" + std::to_string(static_cast<int>(value) - static_cast<int>(EnteredValue::b1) + 1) + ")";
}

std::vector<ValueProblem> observationProblems(const Observations& observations) {
    std::vector<ValueProblem> problems;
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        if (auto problem = valueProblem(observations, value)) problems.push_back({value, std::move(*problem)});
    }
    return problems;
}

std::vector<Control> diagramLabels(const Observations& observations, EnteredValue value) {
    const auto number = parseDecimal(observations.startSideNumber);
    const auto side = number ? toDouble(*number) : std::nullopt;
    std::optional<int> startSide;
    for (int s = 1; s <= 6; ++s) {
        if (side && *side == s) startSide = s;
    }
    return form::diagramLabels(form::observationColumns()[static_cast<std::size_t>(value)],
                               observations.runCase() == RunCase::azimuth, startSide);
}

std::string caseInWords(RunCase kind) {
    switch (kind) {
    case RunCase::knownSide: return translate("已知边 A–B 起算");
    case RunCase::azimuth: return translate("A 点外方位角起算");
    case RunCase::mixed: return translate("混合：只平差，不算坐标");
    }
    return {};
}

}  // namespace morvalen
