#include "web/TableChecks.h"

#include "entry/EnteredState.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {

nlohmann::ordered_json tableChecks(const Observations& observations) {
    nlohmann::ordered_json problems = nlohmann::ordered_json::object();
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        const std::optional<RunStopped> stop =
            observations.asks(value) ? entryStop(value, observations.text(value)) : std::nullopt;
        problems[std::string(keyOf(value))] = stop ? nlohmann::ordered_json(stop->what()) : nullptr;
    }
    return {{"case", caseKey(observations.runCase())}, {"problems", problems}};
}

}  // namespace morvalen::web
