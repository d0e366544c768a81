#include "report/PaintedReport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdio>
#include <map>

#include "files/AtomicFile.h"
#include "i18n/Language.h"
#include "report/PlotPainter.h"
#include "report/StepsPage.h"
#include "report/TabLayout.h"

namespace morvalen::report {
namespace {

using i18n::translate;
using i18n::withArguments;

constexpr double pointsPerTwip = 1.0 / 20;

std::string& keptWarning() {
    static std::string warning;
    return warning;
}

void onQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (type == QtWarningMsg) {
        keptWarning() = message.toStdString();
        return;
    }
    std::fprintf(stderr, "%s\n", withArguments(translate("Qt 报告错误：%1"), {message.toStdString()}).c_str());
}

// Widths in device pixels, from the font metrics of the paint device.
class DeviceMeasure : public Measure {
public:
    explicit DeviceMeasure(const QPaintDevice& device) : device_(device) {}

    const QFontMetricsF& metrics(int points) const {
        auto found = metrics_.find(points);
        if (found == metrics_.end()) {
            found = metrics_.emplace(points, QFontMetricsF(reportFont(points), &device_)).first;
        }
        return found->second;
    }
    double columnWidth(int points) const override { return metrics(points).horizontalAdvance(QLatin1Char('0')); }
    double textWidth(std::string_view text, int points) const override {
        return metrics(points).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }

private:
    const QPaintDevice& device_;
    mutable std::map<int, QFontMetricsF> metrics_;
};

}  // namespace

QFont reportFont(int points) {
    QFont font;
    // Latin letters and digits from Go Mono, which tells O from 0 and l from 1 on paper and, like SimSun, gives every
    // one of them the width of a column; Chinese from a Song face whose characters read back from the PDF as they
    // were written.
    font.setFamilies({QStringLiteral("Go Mono"), QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("AR PL UMing CN")});
    font.setPointSize(points);
    return font;
}

void paintReport(const std::vector<Line>& lines, QPagedPaintDevice& device) { paintReport(Pages{lines}, device); }

void paintReport(const Pages& pages, QPagedPaintDevice& device, const std::vector<PagePlot>& plots,
                 const StepsDocument* steps) {
    const QMarginsF margins(leftMarginTwips * pointsPerTwip, topMarginTwips * pointsPerTwip,
                            rightMarginTwips * pointsPerTwip, bottomMarginTwips * pointsPerTwip);
    device.setPageMargins(margins, QPageLayout::Point);

    QPainter painter;
    if (!painter.begin(&device)) {
        const char* cause = translate("打印机无法开始打印（设备不可用或无法写入）。");
        throw PrintingFailed(lastQtWarning().empty()
                                 ? std::string(cause)
                                 : cause + withArguments(translate("（Qt：%1）"), {lastQtWarning()}));
    }

    const DeviceMeasure measure(device);
    const double pageHeight = device.height();  // the printing area inside the margins, in device pixels
    const double paperRight = device.width() + rightMarginTwips * pointsPerTwip * device.logicalDpiX() / 72.0;
    double top = 0;
    const auto paintSteps = [&] {
        if (!steps) return;
        if (!pages.empty() && !device.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
        top = paintStepsPages(painter, device, *steps);
    };
    const auto paintPlotsOf = [&](std::size_t page) {
        for (const PagePlot& plot : plots) {
            if (plot.page != page) continue;
            if (top > pageHeight / 2) {
                if (!device.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
                top = 0;
            }
            // As high as it is wide at most, so that the plot keeps its proportions on the page.
            const double width = device.width();
            const double height = std::min(pageHeight - top, width);
            paintPlot(painter, QRectF(0, top, width, height), plot.drawing);
            top += height;
        }
    };
    if (pages.empty()) paintSteps();
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page == 1) paintSteps();
        if (page > 0 && !device.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
        top = 0;
        for (const Row& row : layOut(pages[page], measure)) {
            const QFontMetricsF& rowMetrics = measure.metrics(row.fontPoints);
            if (top > 0 && top + rowMetrics.height() > pageHeight) {
                if (!device.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
                top = 0;
            }
            for (const PlacedText& placed : row.texts) {
                painter.setFont(reportFont(placed.fontPoints));
                // A text that would run past the paper's edge (a station name of forty characters) is shortened to
                // what the paper holds, its end marked with "…", never cut off by the edge. A text that reaches into
                // the right margin, as the checks page's last column does, stays whole.
                const QString text = measure.metrics(placed.fontPoints)
                                         .elidedText(QString::fromStdString(placed.text), Qt::ElideRight,
                                                     std::max(0.0, paperRight - placed.x));
                painter.drawText(QPointF(placed.x, top + rowMetrics.ascent()), text);
            }
            top += rowMetrics.lineSpacing();
        }
        paintPlotsOf(page);
    }
    if (pages.size() == 1) paintSteps();
    if (!painter.end()) throw PrintingFailed(translate("打印文档未能正常结束。"));
}

void keepQtMessages() { qInstallMessageHandler(onQtMessage); }

std::string lastQtWarning() { return keptWarning(); }

void writeReportPdf(const std::vector<Line>& lines, const QString& path) { writeReportPdf(Pages{lines}, path); }

void writeReportPdf(const Pages& pages, const QString& path, const std::vector<PagePlot>& plots,
                    const StepsDocument* steps) {
    writeA4Pdf(path, [&](QPdfWriter& writer) { paintReport(pages, writer, plots, steps); });
}

void writeA4Pdf(const QString& path, const std::function<void(QPdfWriter&)>& paint) {
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QStringLiteral("Morvalen"));
        writer.setCreator(QStringLiteral("Morvalen"));
        try {
            paint(writer);
        } catch (const PrintingFailed&) {
            throw PrintingFailed(withArguments(translate("无法写入 PDF 文件 “%1”：绘制报表失败。"), {path.toStdString()}));
        }
    }
    try {
        files::writeBytes(files::pathOf(path.toStdString()),
                          std::string_view(document.data().constData(), static_cast<std::size_t>(document.data().size())));
    } catch (const files::FileNotWritten& failure) {
        throw PrintingFailed(withArguments(translate("无法写入 PDF 文件 “%1”：%2。"),
                                           {path.toStdString(), failure.reason().empty() ? std::string(failure.what())
                                                                                        : failure.reason()}));
    }
}

}  // namespace morvalen::report
