#include "app/PrintCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <exception>
#include <string_view>

#include "entry/SurveyState.h"
#include "report/PaintedReport.h"
#include "report/ReportModel.h"

namespace morvalen::app {
namespace {

const QString messageTitle = QStringLiteral("打 印");

// Where no printer is installed the report can still be kept: as a PDF file the surveyor names.
void offerPdf(const std::vector<report::Line>& lines, QWidget* parent) {
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("没有安装打印机：将报表保存为 PDF 文件"),
        QDir::home().filePath(QStringLiteral("morvalen-report.pdf")), QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    report::writeReportPdf(lines, path);
}

}  // namespace

void printReport(const SurveyState& state, QWidget* parent) {
    if (!report::printingAllowed(state)) {
        const std::string_view refusal = report::nothingToPrint;
        QMessageBox::information(parent, messageTitle,
                                 QString::fromUtf8(refusal.data(), static_cast<qsizetype>(refusal.size())));
        return;
    }
    try {
        const std::vector<report::Line> lines = report::reportLines(state);
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            offerPdf(lines, parent);
            return;
        }
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Morvalen"));
        report::paintReport(lines, printer);
    } catch (const std::exception& failure) {
        QMessageBox::warning(parent, messageTitle, QStringLiteral("报表没有打印出来：") + QString::fromUtf8(failure.what()));
    }
}

}  // namespace morvalen::app
