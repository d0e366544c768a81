#include "batch/BatchChecks.h"

#include "analysis/Analysis.h"
#include "analysis/ChecksText.h"

namespace morvalen::batch {

const std::vector<std::string>& checkColumns() {
    static const std::vector<std::string> columns = {
        "check_triangle_1234", "check_triangle_5678", "check_triangle_1278", "check_triangle_3456",
        "check_pole",          "check_mb",            "check_weakest_side",  "suspects",
        "max_standardized",    "checks",              "mp_1",                "mp_2",
        "mp_3"};
    return columns;
}

std::vector<std::string> checkCells(const analysis::Analysis& analysed) {
    const std::optional<analysis::Checks>& checks = analysed.checks;
    if (!checks) return std::vector<std::string>(checkColumns().size());
    const auto verdict = [](bool pass) { return std::string(analysis::verdictText(pass)); };
    std::vector<std::string> cells;
    for (const analysis::TriangleCheck& triangle : checks->triangles) cells.push_back(verdict(triangle.pass));
    cells.push_back(verdict(checks->pole.pass));
    cells.push_back(verdict(checks->angleError.pass));
    cells.push_back(checks->weakestSide.pass ? verdict(*checks->weakestSide.pass) : std::string());
    std::string suspects;
    for (const int k : checks->suspects) suspects += (suspects.empty() ? "" : " ") + std::to_string(k);
    cells.push_back(suspects);
    cells.push_back(analysis::decimalText(checks->largestStandardized, 2));
    cells.push_back(verdict(checks->pass));
    const std::optional<analysis::NetworkPrecision>& precision = analysed.precision;
    for (std::size_t row = 1; row <= 3; ++row) {
        const bool computed = precision && !precision->stations[row].fixed;
        cells.push_back(computed ? analysis::decimalText(precision->stations[row].mp, 2) : std::string());
    }
    return cells;
}

}  // namespace morvalen::batch
