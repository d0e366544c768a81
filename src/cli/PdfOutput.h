// The report as a PDF file from the terminal front end.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "report/PrintedDocument.h"
#include "report/ReportModel.h"
#include "report/StepsTables.h"

class QGuiApplication;

namespace morvalen::cli {

// The Qt application the painter needs, started once for any number of reports: without a display (offscreen)
// unless a Qt platform has been chosen in QT_QPA_PLATFORM.
class PdfOutput {
public:
    PdfOutput();
    ~PdfOutput();

    // Writes the pages to `path` as PDF, each plot after its page, and the pages
    // 平差计算过程 after the report when `steps` is given. Throws report::PrintingFailed when the file cannot be
    // written.
    void write(const report::Pages& pages, const std::string& path, const std::vector<report::PagePlot>& plots = {},
               const report::StepsDocument* steps = nullptr) const;

private:
    std::unique_ptr<QGuiApplication> application_;
};

// One report, one application.
void writePdf(const report::Pages& pages, const std::string& path, const std::vector<report::PagePlot>& plots = {},
              const report::StepsDocument* steps = nullptr);

}  // namespace morvalen::cli
