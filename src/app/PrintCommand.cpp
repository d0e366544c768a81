#include "app/PrintCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <exception>
#include <string_view>

#include "app/MessageBoxes.h"
#include "app/Translated.h"
#include "entry/SurveyState.h"
#include "report/PaintedReport.h"
#include "report/PrintedDocument.h"
#include "report/ReportModel.h"

namespace morvalen::app {
namespace {

QString messageTitle() { return translated("打 印"); }

// Where no printer is installed the report can still be kept: as a PDF file the surveyor names.
void offerPdf(const report::Pages& pages, const QString& fileName, QWidget* parent,
              const std::vector<report::PagePlot>& plots, const report::StepsDocument* steps) {
    const QString path =
        QFileDialog::getSaveFileName(parent, translated("没有安装打印机：将报表保存为 PDF 文件"),
                                     QDir::home().filePath(fileName), translated("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    report::writeReportPdf(pages, path, plots, steps);
    if (auto* statusLine = parent ? parent->window()->findChild<QStatusBar*>() : nullptr) {
        statusLine->showMessage(translated("报表已保存为 PDF 文件：%1", {QDir::toNativeSeparators(path)}));
    }
    showMessage(parent, QMessageBox::Information, messageTitle(), translated("报表已保存为 PDF 文件："),
                QDir::toNativeSeparators(path));
}

}  // namespace

void printReport(const SurveyState& state, QWidget* parent, const analysis::Analysis& analysed,
                 const fieldbook::FieldBookReduction* fieldBook, const rigorous::RigorousRun* rigorous) {
    if (!report::printingAllowed(state)) {
        showMessage(parent, QMessageBox::Information, messageTitle(), translated(report::nothingToPrint.data()));
        return;
    }
    report::PrintedDocument document;
    try {
        document = report::printedDocument(state, analysed, fieldBook, rigorous);
    } catch (const std::exception& failure) {
        showMessage(parent, QMessageBox::Warning, messageTitle(), translated("报表没有打印出来：") + QString::fromUtf8(failure.what()));
        return;
    }
    printPages(document.pages, QStringLiteral("morvalen-report.pdf"), parent, document.plots);
}

void printPages(const report::Pages& pages, const QString& pdfFileName, QWidget* parent,
                const std::vector<report::PagePlot>& plots, const report::StepsDocument* steps) {
    try {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            offerPdf(pages, pdfFileName, parent, plots, steps);
            return;
        }
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Morvalen"));
        report::paintReport(pages, printer, plots, steps);
    } catch (const std::exception& failure) {
        showMessage(parent, QMessageBox::Warning, messageTitle(), translated("报表没有打印出来："),
                    QString::fromUtf8(failure.what()));
    }
}

}  // namespace morvalen::app
