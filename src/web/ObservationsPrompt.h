// The values of the page's table as the compute command's prompt, and the table's keys.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "entry/FrontEnd.h"
#include "entry/Observations.h"

namespace morvalen::web {

// The key of a value in the table and in a campaign file's header: xa, …, start_side_number, Ta, Qa, name_A, …, b8.
std::string_view keyOf(EnteredValue value);

// The values of a table's JSON object; a key that is absent is an empty cell, a key of no value is refused.
Observations observationsOf(const nlohmann::ordered_json& table);

// "known_side", "azimuth" or "mixed", as the steps name the case.
const char* caseName(RunCase runCase);

// Answers every entry of the compute command with its cell and every confirmation with Enter, as the window's
// table answers the dialogue.
class ObservationsPrompt : public Prompt {
public:
    explicit ObservationsPrompt(const Observations& observations) : observations_(observations) {}

    std::string answer(const PromptRequest& request) override {
        return request.role == PromptRole::confirmation ? std::string() : observations_.text(request.value);
    }
    std::string ask(const std::string&) override { return {}; }  // a prompt of no value of the table: dismissed

private:
    const Observations& observations_;
};

}  // namespace morvalen::web
