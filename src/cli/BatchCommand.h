// morvalen-cli batch: every quadrilateral of a campaign file adjusted as the window would adjust it.
#pragma once

#include <functional>
#include <string>

#include "analysis/Analysis.h"
#include "document/ChecksOutput.h"
#include "cli/ExitStatus.h"
#include "cli/RigorousOptions.h"
#include "entry/SurveyState.h"

namespace morvalen::cli {

struct BatchOptions {
    std::string input;         // CSV file of observations, one data set a row
    std::string output;        // results file; empty or "-" for standard output
    bool jsonLines = false;    // JSON Lines instead of CSV
    std::string pdfDirectory;  // one PDF report per completed data set; empty: none
    document::CheckOptions checks;       // --grade / --sigma: columns of the checks, and their page after each report
    document::RigorousOptions rigorous;  // --rigorous: columns of the rigorous adjustment of the rows with a field book
};

// Writes a report as PDF to a path, with the page of the analysis when it has checks; throws report::PrintingFailed
// when it cannot.
using ReportWriter =
    std::function<void(const SurveyState& state, const analysis::Analysis& analysed, const std::string& path)>;

// Exit status (ExitStatus): 0 every row completed; 3 some row stopped or could not be read (its result row says why); 4 a PDF
// or the results could not be written, or the results file is refused before the first row (the campaign itself, a
// file the user may not write); 5 the campaign file could not be read. The reason is given on stderr.
ExitStatus runBatch(const BatchOptions& options, const ReportWriter& writeReport);

}  // namespace morvalen::cli
