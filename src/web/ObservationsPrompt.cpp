#include "web/ObservationsPrompt.h"

#include "form/ObservationColumns.h"

#include <array>
#include <stdexcept>

namespace morvalen::web {

std::string_view keyOf(EnteredValue value) { return form::observationColumns()[static_cast<std::size_t>(value)].key; }

Observations observationsOf(const nlohmann::ordered_json& table) {
    Observations observations;
    for (const auto& [key, text] : table.items()) {
        const auto& columns = form::observationColumns();
        std::size_t k = 0;
        while (k < columns.size() && columns[k].key != key) ++k;
        if (k == columns.size()) throw std::invalid_argument("no value of the table is named " + key);
        observations.text(static_cast<EnteredValue>(k)) = text.get<std::string>();
    }
    return observations;
}

}  // namespace morvalen::web
