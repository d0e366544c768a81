#include "entry/EnteredState.h"

#include "entry/DecimalRounding.h"
#include "entry/PackedAngle.h"

namespace morvalen {

using i18n::translate;

std::optional<RunStopped> entryStop(EnteredValue value, const std::string& typed) {
    if (value == EnteredValue::startSideNumber) {
        const auto number = parseDecimal(typed);
        if (!number) {
            return RunStopped(translate("起算边编号输入"),
                              describedInput(translate("起算边编号"), typed, translate("%1 %2 不是数值")))
                .about(value);
        }
        if (!roundToInt16(*number)) {
            return RunStopped(translate("起算边编号输入"),
                              i18n::withArguments(translate("起算边编号 %1 超出 -32768 至 32767 的范围"), {quoted(typed)}))
                .about(value);
        }
        return std::nullopt;
    }
    if (value >= EnteredValue::b1) {
        const EntryValue angle = EntryValue::text(typed);
        if (toDegrees(angle)) return std::nullopt;
        const int k = static_cast<int>(value) - static_cast<int>(EnteredValue::b1) + 1;
        return RunStopped(translate("观测角输入"),
                          describedNumber("b(" + std::to_string(k) + ")", typed, angle.reading() == Reading::outOfRange))
            .about(value);
    }
    return std::nullopt;
}

void storeObservations(const Observations& observations, SurveyState& state, OrientationCopies& copies) {
    state.xa.setText(observations.xa);
    state.ya.setText(observations.ya);
    state.xb.setText(observations.xb);
    state.yb.setText(observations.yb);
    const RunCase kind = runCase(state);
    if (kind == RunCase::azimuth) {
        state.startSideLength.setText(observations.startSideLength);
        if (auto stop = entryStop(EnteredValue::startSideNumber, observations.startSideNumber)) throw std::move(*stop);
        state.startSideNumber = *roundToInt16(*parseDecimal(observations.startSideNumber));
        copies.Ta.setText(observations.Ta);
        state.Ta = copies.Ta;
        copies.Qa.setText(observations.Qa);
        state.Qa = copies.Qa;
    }

    state.unknownPointCount = kind == RunCase::azimuth ? 3 : 2;
    const auto unknown = static_cast<std::size_t>(state.unknownPointCount);
    state.pointNames.assign(unknown + 2, std::string());
    for (std::size_t i = 0; i <= unknown; ++i) state.pointNames[i] = observations.names[i];
    state.pointNames[unknown + 1] = observations.names[4];

    for (std::size_t i = 1; i <= 8; ++i) {
        EntryValue& angle = state.adjustedAngles[i];
        angle.setText(observations.angles[i - 1]);
        state.observedAngles[i] = angle;
        const auto degrees = toDegrees(angle);
        if (!degrees) throw *entryStop(enteredAfter(EnteredValue::b1, static_cast<int>(i) - 1), angle.typedText());
        angle.setNumber(*degrees);
    }
}

}  // namespace morvalen
