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
    if (value >= EnteredValue::b1) return entryStop(value, EntryValue::text(typed));
    return std::nullopt;
}

std::optional<RunStopped> entryStop(EnteredValue value, const EntryValue& typed) {
    if (value < EnteredValue::b1) return entryStop(value, typed.typedText());
    // toDegrees converts every value but a text that does not read as a number.
    if (!typed.holdsText() || typed.reading() == Reading::number) return std::nullopt;
    const int k = static_cast<int>(value) - static_cast<int>(EnteredValue::b1) + 1;
    return RunStopped(translate("观测角输入"), describedNumber("b(" + std::to_string(k) + ")", typed.typedText(),
                                                               typed.reading() == Reading::outOfRange))
        .about(value);
}

void storeObservations(const Observations& observations, SurveyState& state, OrientationCopies& copies,
                       ReadValues* read) {
    // A number as the dialogue read it, or read here from its text.
    const auto store = [&](EnteredValue value, EntryValue& into) {
        std::optional<EntryValue>* given = read ? &(*read)[value] : nullptr;
        if (given && *given) into = std::move(**given);
        else into.setText(observations.text(value));
    };
    store(EnteredValue::xa, state.xa);
    store(EnteredValue::ya, state.ya);
    store(EnteredValue::xb, state.xb);
    store(EnteredValue::yb, state.yb);
    const RunCase kind = runCase(state);
    if (kind == RunCase::azimuth) {
        store(EnteredValue::startSideLength, state.startSideLength);
        if (auto stop = entryStop(EnteredValue::startSideNumber, observations.startSideNumber)) throw std::move(*stop);
        state.startSideNumber = *roundToInt16(*parseDecimal(observations.startSideNumber));
        store(EnteredValue::Ta, copies.Ta);
        state.Ta = copies.Ta;
        store(EnteredValue::Qa, copies.Qa);
        state.Qa = copies.Qa;
    }

    state.unknownPointCount = kind == RunCase::azimuth ? 3 : 2;
    const auto unknown = static_cast<std::size_t>(state.unknownPointCount);
    state.pointNames.assign(unknown + 2, std::string());
    for (std::size_t i = 0; i <= unknown; ++i) state.pointNames[i] = observations.names[i];
    state.pointNames[unknown + 1] = observations.names[4];

    for (std::size_t i = 1; i <= 8; ++i) {
        const EnteredValue value = enteredAfter(EnteredValue::b1, static_cast<int>(i) - 1);
        EntryValue& angle = state.adjustedAngles[i];
        store(value, angle);
        state.observedAngles[i] = angle;
        const auto degrees = toDegrees(angle);
        if (!degrees) throw *entryStop(value, angle);
        angle.setNumber(*degrees);
    }
}

}  // namespace morvalen
