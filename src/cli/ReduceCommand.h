// The field book on the terminal: `morvalen-cli reduce FILE`, and `--field-book FILE` on an ordinary run.
//
//   morvalen-cli reduce FILE [--stations A,P1,P2,B] [--instrument 0.5|1|2|6] [--grade NAME] [--json]
//                [--save-observations FILE [--row ID]] [--save-field-book OUT.csv]
//
// prints the reduction in the field book's layout, its checks against the direction method's limits and the eight
// angles; with --json one document instead:
//   {"instrument", "stations": [{"name", "rounds": [{"round", "pointings": [{"target", "left", "right",
//    "two_c_sec", "mean", "reduced"}], "closure_sec": {"left", "right"} | null}], "directions": [{"target", "mean",
//    "round_spread_sec"}], "sigma_sec"}], "checks": [{"station", "round", "kind", "value_sec", "limit_sec", "ok"}],
//    "angles": [eight dd.mmss texts], "distances": [{"station", "target", "n", "horizontal_m", "spread_mm"}]}
// FILE is a CSV field book or a total station's raw file (GSI-8/16, SDR33, GTS-7 raw, told by its content);
// "distances" holds each line's mean horizontal distance (slope distance × sin(zenith), both faces; n of them) to
// 0.1 mm and its spread to 0.1 mm, empty for a book without distances.
// Seconds of arc are rounded to 0.1 (sigma_sec to 0.01); "reduced" is null for a closing pointing, "round" null for
// a check over the rounds, "limit_sec" null where the table sets none. Exit status 0, 2 for a usage error, 5 for a
// field book that cannot be reduced (the reason on stderr, naming the spreadsheet row; nothing on stdout), and the
// statuses of --save-observations.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "entry/SurveyState.h"
#include "fieldbook/FieldBookAngles.h"

namespace morvalen::cli {

struct ReduceOptions {
    std::string fieldBookPath;
    std::string stations;            // "A,P1,P2,B"; empty: in the order the field book first names them
    std::string instrument = "2";    // the instrument class of the limits
    std::string gradeName;           // the grade, which chooses the row of the limits; empty: the class's first row
    bool json = false;
    std::string saveObservationsPath;
    std::string saveFieldBookPath;   // --save-field-book: the book as read, written as CSV
    std::optional<std::string> rowId;
};

// Adds the subcommand `reduce` to the program.
CLI::App* addReduceCommand(CLI::App& app, ReduceOptions& options);

ExitStatus runReduce(const ReduceOptions& options);

nlohmann::ordered_json reductionJson(const fieldbook::FieldBookReduction& reduction);

// The field book of --field-book on an ordinary run, reduced before the first prompt; nullopt, with the reason on
// stderr, when it cannot be reduced.
std::optional<fieldbook::FieldBookAngles> openFieldBook(const std::string& path, const std::string& gradeName = {});

}  // namespace morvalen::cli
