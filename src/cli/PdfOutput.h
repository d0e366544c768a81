// The report as a PDF file from the terminal front end.
#pragma once

#include <string>
#include <vector>

#include "report/ReportModel.h"

namespace morvalen::cli {

// Writes the report lines to `path` as PDF. Starts the Qt application that the painter needs, without a display
// (offscreen) unless a Qt platform has been chosen in QT_QPA_PLATFORM. Throws report::PrintingFailed when the file
// cannot be written.
void writePdf(const std::vector<report::Line>& lines, const std::string& path);

}  // namespace morvalen::cli
