// The print command of the window (打 印).
#pragma once

#include <QString>

#include "analysis/Analysis.h"
#include "analysis/NetworkPrecision.h"
#include "fieldbook/DirectionReduction.h"
#include "rigorous/RigorousNetwork.h"
#include "report/PrintedDocument.h"
#include "report/ReportModel.h"
#include "report/StepsTables.h"

class QWidget;

namespace morvalen {
struct SurveyState;
}

namespace morvalen::app {

// Prints the report of the last computation to the default printer without asking anything; where no printer is
// installed, offers to save it as PDF and then names the file it wrote; reports a printing error in a message box. Refuses with a message when no
// computation has completed or the last one stopped. Changes neither the state nor the window.
// With checks in `analysed` (a standard chosen in the menu 检核) the page of the checks and the plot of the network
// follow the report, as the terminal's --pdf writes them; the reduction of `fieldBook` comes after them, then the
// rigorous adjustment of its directions and distances with the plot of both sets of ellipses, where `rigorous` is given.
void printReport(const SurveyState& state, QWidget* parent, const analysis::Analysis& analysed = {},
                 const fieldbook::FieldBookReduction* fieldBook = nullptr,
                 const rigorous::RigorousRun* rigorous = nullptr);

// Prints pages the same way: the default printer without asking, or where none is installed a PDF file offered
// under `pdfFileName` in the home folder; a printing error in a message box. Each plot follows its page, and the
// tables 平差计算过程 follow the first page when `steps` is given.
void printPages(const report::Pages& pages, const QString& pdfFileName, QWidget* parent,
                const std::vector<report::PagePlot>& plots = {}, const report::StepsDocument* steps = nullptr);

}  // namespace morvalen::app
