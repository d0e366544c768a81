#include "web/ObservationsPrompt.h"

#include <array>
#include <stdexcept>

namespace morvalen::web {
namespace {

constexpr std::array<std::string_view, enteredValueCount> keys = {
    "xa",     "ya",      "xb",      "yb",      "start_side_length", "start_side_number", "Ta", "Qa", "name_A",
    "name_P1", "name_P2", "name_P3", "name_closing", "b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8"};

}  // namespace

std::string_view keyOf(EnteredValue value) { return keys[static_cast<std::size_t>(value)]; }

Observations observationsOf(const nlohmann::ordered_json& table) {
    Observations observations;
    for (const auto& [key, text] : table.items()) {
        std::size_t k = 0;
        while (k < keys.size() && keys[k] != key) ++k;
        if (k == keys.size()) throw std::invalid_argument("no value of the table is named " + key);
        observations.text(static_cast<EnteredValue>(k)) = text.get<std::string>();
    }
    return observations;
}

}  // namespace morvalen::web
