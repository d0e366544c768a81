#include "report/PrintedDocument.h"

#include "report/AnalysisPage.h"
#include "report/BothEllipsesDrawing.h"
#include "report/FieldBookPage.h"
#include "report/NetworkPlot.h"
#include "report/PrecisionPage.h"
#include "report/RigorousPage.h"

namespace morvalen::report {

PagePlot networkPlotAfter(std::size_t page, const analysis::NetworkPrecision& precision) {
    return {page, [precision](double width, double height) { return networkPlotDrawing(precision, width, height); }};
}

PagePlot bothEllipsesAfter(std::size_t page, const rigorous::RigorousRun& run,
                           const std::optional<analysis::NetworkPrecision>& classical) {
    return {page, [run, classical](double width, double height) {
                return bothEllipsesDrawing(run, classical ? &*classical : nullptr, width, height);
            }};
}

PrintedDocument printedDocument(const SurveyState& state, const analysis::Analysis& analysed,
                                const fieldbook::FieldBookReduction* fieldBook,
                                const rigorous::RigorousRun* rigorous) {
    PrintedDocument document{{reportLines(state)}, {}};
    if (analysed.checks) {
        document.pages.push_back(analysisPageLines(*analysed.checks));
        // The precision of the stations, the sides and between the stations on a page of their own, so that the
        // checks never push its last lines onto the page of the plot.
        if (analysed.precision) {
            document.pages.push_back(precisionPageLines(*analysed.precision));
            document.plots.push_back(networkPlotAfter(document.pages.size() - 1, *analysed.precision));
        }
    }
    if (fieldBook) document.pages.push_back(fieldBookPageLines(*fieldBook));
    if (rigorous) {
        document.pages.push_back(rigorousPageLines(*rigorous));
        document.plots.push_back(bothEllipsesAfter(document.pages.size() - 1, *rigorous, analysed.precision));
    }
    return document;
}

}  // namespace morvalen::report
