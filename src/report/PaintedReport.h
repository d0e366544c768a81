// The report on paper: the printer and the PDF file.
//
// The page is laid out with a left margin of 1500 twips and a top margin of 1000 twips; columns are as wide as the
// digit 0 of the current font, measured on the paint device itself (never at screen resolution). The font is 宋体,
// 12 points for the heading and 10 points below it, with Latin letters and digits in Go Mono; where SimSun is not
// installed the Song face AR PL UMing CN stands in. A page that is full continues on a new page.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/PrintedDocument.h"
#include "report/ReportModel.h"
#include "report/StepsTables.h"

class QPagedPaintDevice;
class QPdfWriter;

namespace morvalen::report {

// Page margins in twips (1/1440 inch): left and top as the report sets them, right and bottom to keep the last
// column and the last row clear of the paper's edge.
inline constexpr double leftMarginTwips = 1500;
inline constexpr double topMarginTwips = 1000;
inline constexpr double rightMarginTwips = 1000;
inline constexpr double bottomMarginTwips = 1000;

// A report that could not be printed or written; the message says why, in the language of the interface.
class PrintingFailed : public std::runtime_error {
public:
    explicit PrintingFailed(const std::string& message) : std::runtime_error(message) {}
};

// Qt's own messages do not reach the terminal raw: its warnings are kept, the last one given in the message of a
// painter that fails; its critical and fatal messages go to stderr behind a Chinese line that names them as Qt's.
// Installed once, before the application starts.
void keepQtMessages();
// The last warning Qt gave since the start; empty when none.
std::string lastQtWarning();

// 宋体 in the given size: the families Go Mono (Latin letters and digits), SimSun, 宋体, then AR PL UMing CN.
QFont reportFont(int points);

// Paints the lines on a printer or PDF writer that has not been painted on yet, setting its margins first, and ends
// the document. Each plot follows its page's lines, below them where half a page is left, on a page of its own
// otherwise. With `steps`, the pages 平差计算过程 follow the first page's lines (the report) before the pages after it
// (the checks). Throws PrintingFailed when the device cannot be painted on.
void paintReport(const std::vector<Line>& lines, QPagedPaintDevice& device);
void paintReport(const Pages& pages, QPagedPaintDevice& device, const std::vector<PagePlot>& plots = {},
                 const StepsDocument* steps = nullptr);

// Writes the lines as a PDF file (A4). Needs a QGuiApplication. Throws PrintingFailed when the file cannot be
// written.
void writeReportPdf(const std::vector<Line>& lines, const QString& path);
// An A4 PDF document titled Morvalen, painted in memory by `paint` and written to `path` by the program's one file
// writer, so that a full disk or a painter that fails leaves no file that is no PDF and the old file as it was.
// Throws PrintingFailed naming the file and the reason.
void writeA4Pdf(const QString& path, const std::function<void(QPdfWriter&)>& paint);
void writeReportPdf(const Pages& pages, const QString& path, const std::vector<PagePlot>& plots = {},
                    const StepsDocument* steps = nullptr);

}  // namespace morvalen::report
