// The report as it goes to paper, the same from the window's 打 印 and the terminal's --pdf.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/Analysis.h"
#include "fieldbook/DirectionReduction.h"
#include "report/PlotDrawing.h"
#include "report/ReportModel.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::report {

// A drawing printed below the lines of one page of the document, laid out for the room it is given there.
struct PagePlot {
    std::size_t page = 0;  // the index in the document's pages whose lines it follows
    std::function<PlotDrawing(double width, double height)> drawing;  // pixels at 96 dpi
};

// The plot of the network (report/NetworkPlot) after the page `page`.
PagePlot networkPlotAfter(std::size_t page, const analysis::NetworkPrecision& precision);

// The plot of both sets of error ellipses (report/BothEllipsesDrawing) after the page `page`; the rigorous set alone
// without `classical`.
PagePlot bothEllipsesAfter(std::size_t page, const rigorous::RigorousRun& run,
                           const std::optional<analysis::NetworkPrecision>& classical);

// The report's page; when the computation was checked against a grade or an own σ, the page of its checks, then the
// page of the precision of the stations, with the plot of the network after it; then the reduction of the field book whose
// angles the computation used, when one did, and the rigorous adjustment of its directions and distances, when asked,
// with the plot of both sets of error ellipses after it.
struct PrintedDocument {
    Pages pages;
    std::vector<PagePlot> plots;
};

PrintedDocument printedDocument(const SurveyState& state, const analysis::Analysis& analysed,
                                const fieldbook::FieldBookReduction* fieldBook = nullptr,
                                const rigorous::RigorousRun* rigorous = nullptr);

}  // namespace morvalen::report
