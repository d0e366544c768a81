#include "cli/PdfOutput.h"

#include <QGuiApplication>

#include "report/PaintedReport.h"

namespace morvalen::cli {
namespace {

int argumentCount = 1;
char programName[] = "morvalen-cli";
char* arguments[] = {programName, nullptr};

}  // namespace

PdfOutput::PdfOutput() {
    // A terminal may have no display at all; the painter needs fonts, not a screen. (On Windows the desktop is
    // always there, and Qt's offscreen platform would see only the fonts in Qt's own folder, not the system's.)
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    report::keepQtMessages();
    application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
}

PdfOutput::~PdfOutput() = default;

void PdfOutput::write(const report::Pages& pages, const std::string& path, const std::vector<report::PagePlot>& plots,
                      const report::StepsDocument* steps) const {
    report::writeReportPdf(pages, QString::fromStdString(path), plots, steps);
}

void writePdf(const report::Pages& pages, const std::string& path, const std::vector<report::PagePlot>& plots,
              const report::StepsDocument* steps) {
    PdfOutput().write(pages, path, plots, steps);
}

}  // namespace morvalen::cli
