// The checks on the terminal: the options that ask for them, the section after the report and the JSON object.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/Checks.h"
#include "entry/SurveyState.h"

namespace morvalen::cli {

// --grade NAME or --sigma S; neither: no checks, and every output stays as it is without them.
struct CheckOptions {
    std::string gradeName;
    double sigmaSeconds = 0;

    std::optional<analysis::CheckStandard> standard() const;
};

// Adds --grade and --sigma (excluding each other) to a command.
void addCheckOptions(CLI::App& command, CheckOptions& options);

// "checks": null when no computation ran to its end, otherwise {"standard", "grade", "sigma", "triangles", "pole",
// "mb", "ferrero", "weakest_side", "angles", "suspects", "pass"}.
nlohmann::ordered_json checksJson(const std::optional<analysis::Checks>& checks);

// "== 检核 ==" and the page of the checks as text at its columns, or why there is nothing to check.
void printChecksText(const SurveyState& state, const std::optional<analysis::Checks>& checks, std::ostream& out);

}  // namespace morvalen::cli
