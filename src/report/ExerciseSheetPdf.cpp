#include "report/ExerciseSheetPdf.h"

#include <QMarginsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "i18n/Language.h"
#include "report/PaintedReport.h"
#include "report/StepsPage.h"

namespace morvalen::report {
namespace {

using i18n::translate;

constexpr double marginPoints = 50;

QString qText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The sketch in a square of `size` pixels whose top left corner is `origin`: the four sides and both diagonals,
// each station with its number and name outside the figure, each angle's number inside it, halfway between the two
// directions that hold it (b(2s + 1) from station s + 1 to s + 2, b(2s) from s + 2 to s + 3, b(8) at A).
void paintSketch(QPainter& painter, const QuadrilateralSketch& sketch, QPointF origin, double size) {
    const auto [minX, maxX] = std::minmax_element(sketch.x.begin(), sketch.x.end());
    const auto [minY, maxY] = std::minmax_element(sketch.y.begin(), sketch.y.end());
    const double extent = std::max({*maxX - *minX, *maxY - *minY, 1e-9});
    const double scale = size * 0.7 / extent;
    std::array<QPointF, 4> at;
    QPointF centre;
    for (std::size_t i = 0; i < 4; ++i) {
        at[i] = origin + QPointF(size * 0.15 + (sketch.y[i] - *minY) * scale, size * 0.15 + (*maxX - sketch.x[i]) * scale);
        centre += at[i] / 4;
    }
    painter.setPen(QPen(Qt::black, size / 300));
    for (std::size_t i = 0; i < 4; ++i) painter.drawLine(at[i], at[(i + 1) % 4]);
    painter.drawLine(at[0], at[2]);
    painter.drawLine(at[1], at[3]);
    const auto unit = [](QPointF v) { return v / std::max(1e-9, std::hypot(v.x(), v.y())); };
    QFont font = reportFont(9);
    painter.setFont(font);
    const double box = size * 0.12;
    for (std::size_t s = 0; s < 4; ++s) {
        const QPointF outward = unit(at[s] - centre) * size * 0.07;
        painter.drawText(QRectF(at[s] + outward - QPointF(box, box / 3), QSizeF(2 * box, box / 1.5)), Qt::AlignCenter,
                         qText(std::to_string(s + 1) + " " + sketch.names[s]));
        const std::array<QPointF, 3> towards{unit(at[(s + 1) % 4] - at[s]), unit(at[(s + 2) % 4] - at[s]),
                                             unit(at[(s + 3) % 4] - at[s])};
        const int first = static_cast<int>(2 * s + 1);
        const int second = s == 0 ? 8 : static_cast<int>(2 * s);
        for (const auto& [angle, a, b] : {std::tuple{first, towards[0], towards[1]}, std::tuple{second, towards[1], towards[2]}}) {
            const QPointF place = at[s] + unit(a + b) * size * 0.11;
            painter.drawText(QRectF(place - QPointF(box / 2, box / 4), QSizeF(box, box / 2)), Qt::AlignCenter,
                             QString::number(angle));
        }
    }
}

}  // namespace

void writeExerciseSheetPdf(const StepsDocument& data, const QuadrilateralSketch& sketch, const StepsDocument& steps,
                           const QString& path) {
    writeA4Pdf(path, [&](QPdfWriter& writer) {
        writer.setPageMargins(QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints), QPageLayout::Point);
        QPainter painter;
        if (!painter.begin(&writer)) throw PrintingFailed(translate("打印机无法开始打印（设备不可用或无法写入）。"));
        double top = paintStepsPages(painter, writer, data);
        const double size = std::min<double>(writer.width(), writer.height()) * 0.6;
        if (top + size > writer.height()) {
            if (!writer.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
            top = 0;
        }
        painter.setFont(reportFont(10));
        painter.drawText(QRectF(0, top, writer.width(), size * 0.08), Qt::AlignLeft | Qt::AlignVCenter,
                         qText(translate("略图（点号、角号）")));
        paintSketch(painter, sketch, QPointF((writer.width() - size) / 2, top + size * 0.05), size);
        if (!writer.newPage()) throw PrintingFailed(translate("打印机无法开始新的一页。"));
        paintStepsPages(painter, writer, steps);
        painter.end();
    });
}

}  // namespace morvalen::report
