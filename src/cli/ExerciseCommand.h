// The teacher's kit on the terminal.
//
//   morvalen-cli exercise --students ROSTER.csv -o DIR [--seed N] [--grade NAME | --sigma S]
//                [--case known-side|azimuth|both] [--field-book] [--blunder K]
//
// writes into DIR, for the students of the roster (columns id,name): exercises.csv (the observation file of the
// class, id = the student's id), for every student ID.pdf (the data, a sketch with the numbering, the blank tables),
// ID-answer.csv (key,value, the values empty), ID-field-book.csv with --field-book, the answer key answers/ID.pdf
// (every table filled), and answers.csv (id,name,key,value). The grade is 四等 unless chosen. The same seed and roster
// give the same data and CSV files, byte for byte.
//
//   morvalen-cli check-answer SHEET --observations FILE --row ID [--json]
//
// checks a filled sheet cell by cell; prints every cell with its verdict, the first wrong cell and the score, or
// with --json {"cells": [{"key", "given", "expected", "ok", "verdict", "follows_from"}], "first_wrong", "score"}.
//
//   morvalen-cli check-answer --class DIR [-o SUMMARY.csv]
//
// checks every ID-answer.csv in DIR against exercises.csv there and writes the class summary (default
// DIR/class-summary.csv: id,sheet,right,counted,score,first_wrong); files in DIR that belong to no student are listed.
//
// Exit status: 0 done (check-answer SHEET: every cell right), 2 usage error, 3 a sheet with a wrong cell (or an
// exercise that could not be made sound), 4 a file not written, 5 a roster, sheet or observation file not read.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/CheckOptions.h"
#include "cli/ExitStatus.h"

namespace morvalen::cli {

struct ExerciseOptions {
    std::string roster;
    std::string outputDirectory;
    std::uint64_t seed = 1;
    document::CheckOptions standard;
    std::string exerciseCase = "both";
    bool fieldBook = false;
    int blunders = 0;
};

struct CheckAnswerOptions {
    std::string sheet;
    std::string observations;
    std::optional<std::string> rowId;
    std::string classDirectory;
    std::string summary;  // empty: DIR/class-summary.csv
    bool json = false;
};

CLI::App* addExerciseCommand(CLI::App& app, ExerciseOptions& options);
CLI::App* addCheckAnswerCommand(CLI::App& app, CheckAnswerOptions& options);

ExitStatus runExercise(const ExerciseOptions& options);
ExitStatus runCheckAnswer(const CheckAnswerOptions& options);

}  // namespace morvalen::cli
