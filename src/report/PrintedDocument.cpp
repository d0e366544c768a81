#include "report/PrintedDocument.h"

#include "report/AnalysisPage.h"
#include "report/FieldBookPage.h"
#include "report/PrecisionPage.h"
#include "report/RigorousPage.h"

namespace morvalen::report {

PrintedDocument printedDocument(const SurveyState& state, const analysis::Analysis& analysed,
                                const fieldbook::FieldBookReduction* fieldBook,
                                const rigorous::RigorousRun* rigorous) {
    PrintedDocument document{{reportLines(state)}, std::nullopt};
    if (analysed.checks) {
        document.plot = analysed.precision;
        document.pages.push_back(analysisPageLines(*analysed.checks));
        // The precision of the stations, the sides and between the stations on a page of their own, so that the
        // checks never push its last lines onto the page of the plot.
        if (analysed.precision) document.pages.push_back(precisionPageLines(*analysed.precision));
    }
    if (fieldBook) document.pages.push_back(fieldBookPageLines(*fieldBook));
    if (rigorous) document.pages.push_back(rigorousPageLines(*rigorous));
    return document;
}

}  // namespace morvalen::report
