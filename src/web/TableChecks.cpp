#include "web/TableChecks.h"

#include "entry/FieldModel.h"
#include "entry/ObservationEntry.h"
#include "entry/RunStopped.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {
namespace {

// Thrown by the prompt when the entry asks for a value after the one being checked: the check ends there.
struct CheckedAsFarAsWanted {};

// Answers the entry from the table up to and including one value, and remembers the value asked last.
class PromptUpTo : public Prompt {
public:
    PromptUpTo(const Observations& observations, EnteredValue last) : cells_(observations), last_(last) {}

    std::string answer(const PromptRequest& request) override {
        if (static_cast<int>(request.value) > static_cast<int>(last_)) throw CheckedAsFarAsWanted{};
        asked_ = request.value;
        return cells_.answer(request);
    }
    std::string ask(const std::string& promptText) override { return cells_.ask(promptText); }
    EnteredValue asked() const { return asked_; }

private:
    ObservationsPrompt cells_;
    EnteredValue last_;
    EnteredValue asked_ = EnteredValue::xa;
};

// The stop the entry makes right after `value` is typed, if any.
std::optional<RunStopped> stopAfter(const Observations& observations, EnteredValue value) {
    PromptUpTo prompt(observations, value);
    SurveyState state;
    FieldModel fields;
    OrientationCopies copies;
    try {
        prepareState(state);
        enterObservations(state, copies, prompt, fields);
    } catch (const RunStopped& stop) {
        if (prompt.asked() == value) return stop;
    } catch (const CheckedAsFarAsWanted&) {
    }
    return std::nullopt;
}

}  // namespace

nlohmann::ordered_json tableChecks(const Observations& observations) {
    nlohmann::ordered_json problems = nlohmann::ordered_json::object();
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        const std::optional<RunStopped> stop = observations.asks(value) ? stopAfter(observations, value) : std::nullopt;
        problems[std::string(keyOf(value))] = stop ? nlohmann::ordered_json(stop->what()) : nullptr;
    }
    return {{"case", caseName(observations.runCase())}, {"problems", problems}};
}

}  // namespace morvalen::web
