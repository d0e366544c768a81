#include "web/StepsJson.h"

namespace morvalen::web {

nlohmann::ordered_json stepsTablesJson(const report::StepsDocument& document) {
    using nlohmann::ordered_json;
    ordered_json sections = ordered_json::array();
    for (const report::StepsSection& section : document.sections) {
        ordered_json tables = ordered_json::array();
        for (const report::StepsTable& table : section.tables) {
            ordered_json alignments = ordered_json::array();
            for (const report::Alignment alignment : table.alignments) {
                alignments.push_back(alignment == report::Alignment::left    ? "left"
                                     : alignment == report::Alignment::right ? "right"
                                                                             : "centre");
            }
            tables.push_back({{"title", table.title}, {"heads", table.heads}, {"alignments", alignments},
                              {"rows", table.rows}, {"notes", table.notes}});
        }
        sections.push_back({{"heading", section.heading}, {"tables", tables}});
    }
    return {{"title", document.title}, {"sections", sections}, {"stop_note", document.stopNote}};
}

}  // namespace morvalen::web
