// The tables 平差计算过程 on paper: ruled tables in the report's font, on pages of their own after the report.
#pragma once

#include "report/StepsTables.h"

class QPainter;
class QPagedPaintDevice;

namespace morvalen::report {

// Paints the document from the top of the current page of `device` (the painter is active on it) and continues on
// new pages as needed; a table that runs on to a new page repeats its heads there. A table wider than the page is
// set in a smaller size, down to 7 points. Returns the height used on the last page, in device pixels. Throws
// PrintingFailed when a new page cannot be started.
double paintStepsPages(QPainter& painter, QPagedPaintDevice& device, const StepsDocument& document);

}  // namespace morvalen::report
