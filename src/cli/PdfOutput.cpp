#include "cli/PdfOutput.h"

#include <QGuiApplication>

#include "report/PaintedReport.h"

namespace morvalen::cli {

void writePdf(const std::vector<report::Line>& lines, const std::string& path) {
    // A terminal may have no display at all; the painter needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "morvalen-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    report::writeReportPdf(lines, QString::fromStdString(path));
}

}  // namespace morvalen::cli
