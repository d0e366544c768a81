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
    // A terminal may have no display at all; the painter needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
}

PdfOutput::~PdfOutput() = default;

void PdfOutput::write(const report::Pages& pages, const std::string& path) const {
    report::writeReportPdf(pages, QString::fromStdString(path));
}

void writePdf(const report::Pages& pages, const std::string& path) { PdfOutput().write(pages, path); }

}  // namespace morvalen::cli
