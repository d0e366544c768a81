// The parts of a terminal run that need optional libraries, behind one seam: the report as PDF and the plot as SVG
// (Qt's painter and SVG module), the observation files, the field book and the exports (libcsv, libxlsxwriter,
// dxflib). Where the program was built without one, its function says so on stderr and refuses.
#pragma once

#include <optional>
#include <string>

#include "analysis/Analysis.h"
#include "cli/BatchCommand.h"
#include "cli/ExitStatus.h"
#include "entry/Observations.h"
#include "entry/SurveyState.h"
#include "fieldbook/FieldBookAngles.h"
#include "report/StepsTables.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::cli {

// The values that files give a run, and where they came from.
struct FileInput {
    std::optional<Observations> row;                    // a row of an observation file answers every prompt
    std::string rowId;                                  // its id, empty without an id column
    std::optional<fieldbook::FieldBookAngles> fieldBook;  // a field book answers b(1)..b(8)
};

// Opens the observation file's row (`observationsPath` not empty) and the field book (`fieldBookPath` not empty,
// checked against the direction-method limits of the grade named, when one is); the reason on stderr and
// fileProblem when one cannot be used.
ExitStatus openFileInput(const std::string& observationsPath, const std::optional<std::string>& rowId,
                         const std::string& fieldBookPath, const std::string& gradeName, FileInput& input);

// The replies of a file or a pipe (standard input that is no terminal), read whole, at most a megabyte (far more than
// a run asks) as UTF-8 text: decoded as the observation files are (UTF-8, GB 18030, a byte-order mark set aside).
// Bytes that are text in no encoding read here are refused naming their line and column: fileProblem, the reason
// on stderr.
ExitStatus readReplies(std::istream& input, std::string& text);

// An export or a plot asked in a format that can never be written: refused before anything is asked.
ExitStatus refusedExportFormat(const std::string& path);
ExitStatus refusedPlotFormat(const std::string& path);

// The print command of the terminal: the report (and the pages of the checks, the field book, the rigorous
// adjustment and the steps) as a PDF file, refused like the window's when there is nothing complete to print.
ExitStatus writeReportFile(const SurveyState& state, const std::string& path, const analysis::Analysis& analysed,
                           const fieldbook::FieldBookReduction* fieldBook, const report::StepsDocument* steps,
                           const rigorous::RigorousRun* rigorous = nullptr);
// The plot of the network as an SVG file; refused when there is no completed computation with coordinates.
ExitStatus writePlotFile(const std::optional<analysis::NetworkPrecision>& precision, const std::string& path);
// Keeps the values typed as one more row of an observation file.
ExitStatus saveObservationsFile(const Observations& typed, const std::string& path, const std::string& id);
// The result table of the run in the format of the file's extension.
ExitStatus exportResultsFile(const SurveyState& state, const std::string& path, const analysis::Analysis& analysed);

// The batch over a campaign file, its reports written as PDF where the painter is available.
ExitStatus runBatchCommand(const BatchOptions& options);

}  // namespace morvalen::cli
