#include "web/TableChecks.h"

#include "entry/ObservationChecks.h"
#include "i18n/Language.h"
#include "web/FaceJson.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {

nlohmann::ordered_json tableChecks(const Observations& observations) {
    nlohmann::ordered_json problems = nlohmann::ordered_json::object();
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        const std::optional<std::string> problem = valueProblem(observations, value);
        problems[std::string(keyOf(value))] =
            problem ? nlohmann::ordered_json(i18n::withArguments(i18n::translate("%1：%2"), {valueName(value), *problem}))
                    : nullptr;
    }
    return {{"case", caseKey(observations.runCase())}, {"problems", problems}, {"lit", diagramLabelsJson(observations)}};
}

}  // namespace morvalen::web
