// The result table of a completed computation written for the programs a surveyor hands coordinates on to.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "analysis/NetworkPrecision.h"
#include "entry/SurveyState.h"
#include "files/AtomicFile.h"

namespace morvalen::files {

// An export asked when there is no completed computation: none yet, or the last one stopped.
class NothingToExport : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ExportFormat { cassCoordinates, csv, xlsx, dxf };

// The format an export path asks for by its extension (.dat, .csv, .xlsx, .dxf, in any letter case). Throws
// FileNotWritten naming the accepted extensions for any other.
ExportFormat exportFormatOf(const std::filesystem::path& path);

// Writes the results of the computation the state holds to `path`, in the format of its extension, through a
// temporary file. Throws NothingToExport when the state holds no completed computation and FileNotWritten, naming
// the file and the reason, when the file cannot be written (a name CASS cannot read included). With the precision of
// the stations the CSV and XLSX tables carry mx, my and mp.
void exportResults(const SurveyState& state, const std::filesystem::path& path,
                   const analysis::NetworkPrecision* precision = nullptr);

// CASS coordinate data: one station a line "name,code,Y,X,H" (east before north, three decimals, no code, H as
// 0.000), CRLF, in GB 18030 as CASS reads it on a Chinese Windows (the two-byte part that code page 936 reads).
// Throws FileNotWritten for a name with a character outside it or one that would break the line (comma, line break
// or another control character).
std::string cassCoordinateData(const SurveyState& state);

// The result table as CSV in UTF-8 with a byte-order mark, so that a spreadsheet opens it right; CRLF.
std::string resultCsv(const SurveyState& state, const analysis::NetworkPrecision* precision = nullptr);

// The workbook: sheet 成果表 (the result table, numbers with three decimals) and sheet 观测值 (observed and adjusted
// angles, closures and precision figures).
void writeResultWorkbook(const SurveyState& state, const std::filesystem::path& path,
                         const analysis::NetworkPrecision* precision = nullptr);

// The drawing: each station a POINT on layer STATIONS and a TEXT with its name on layer NAMES, the four sides on
// layer SIDES and the two diagonals on layer DIAGONALS as LINEs; the easting Y along the drawing's x axis and the
// northing X along its y axis, so that east is right and north is up. Units: metres.
void writeResultDrawing(const SurveyState& state, const std::filesystem::path& path);

}  // namespace morvalen::files
