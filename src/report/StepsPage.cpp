#include "report/StepsPage.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "i18n/Language.h"
#include "report/PaintedReport.h"

namespace morvalen::report {
namespace {

constexpr int titlePoints = 12;
constexpr int headingPoints = 10;
constexpr int tablePoints = 9;
constexpr int smallestTablePoints = 7;
constexpr int notePoints = 8;

QString qText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont fontOf(int points, bool bold = false) {
    QFont font = reportFont(points);
    font.setBold(bold);
    return font;
}

class StepsPainter {
public:
    StepsPainter(QPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device), width_(device.width()), height_(device.height()),
          pixelsPerPoint_(device.logicalDpiY() / 72.0) {}

    double paint(const StepsDocument& document) {
        line(document.title, fontOf(titlePoints, true), Qt::AlignHCenter);
        space(6);
        for (const StepsSection& section : document.sections) {
            space(4);
            // A heading stays with the first table under it.
            const double firstTable =
                section.tables.empty() ? 0 : std::min(tableHeight(section.tables.front()), height_ / 2);
            keepTogether(lineHeight(fontOf(headingPoints)) + firstTable);
            line(section.heading, fontOf(headingPoints, true), Qt::AlignLeft);
            for (const StepsTable& table : section.tables) paintTable(table);
        }
        if (!document.stopNote.empty()) {
            space(6);
            line(document.stopNote, fontOf(notePoints), Qt::AlignLeft);
        }
        return top_;
    }

private:
    double lineHeight(const QFont& font) const { return QFontMetricsF(font, &device_).lineSpacing(); }
    void space(double points) { top_ += points * pixelsPerPoint_; }

    void newPage() {
        if (!device_.newPage()) throw PrintingFailed(i18n::translate("打印机无法开始新的一页。"));
        top_ = 0;
    }
    void keepTogether(double height) {
        if (top_ > 0 && top_ + height > height_) newPage();
    }

    // A line of text, wrapped at the width of the page where it is longer.
    void line(const std::string& text, const QFont& font, Qt::Alignment alignment) {
        painter_.setFont(font);
        const int flags = static_cast<int>(alignment) | Qt::TextWordWrap;
        const QRectF bounds = painter_.boundingRect(QRectF(0, 0, width_, height_), flags, qText(text));
        const double height = std::max(bounds.height(), lineHeight(font));
        keepTogether(height);
        painter_.drawText(QRectF(0, top_, width_, height), flags, qText(text));
        top_ += height;
    }

    // Column widths at a size: the widest text of each column and a blank on either side.
    std::vector<double> columnWidths(const StepsTable& table, const QFont& font) const {
        const QFontMetricsF metrics(font, &device_);
        const double padding = metrics.horizontalAdvance(QLatin1Char('0'));
        std::vector<double> widths(table.heads.size(), 0);
        const auto widen = [&](const std::vector<std::string>& row) {
            for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(qText(row[c])) + 2 * padding);
            }
        };
        widen(table.heads);
        for (const auto& row : table.rows) widen(row);
        return widths;
    }

    void paintRow(const std::vector<std::string>& row, const std::vector<double>& widths, const StepsTable& table,
                  double rowHeight, bool head) {
        const double left = (width_ - std::accumulate(widths.begin(), widths.end(), 0.0)) / 2;
        double x = std::max(0.0, left);
        const double padding = QFontMetricsF(painter_.font(), &device_).horizontalAdvance(QLatin1Char('0'));
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, top_, widths[c], rowHeight);
            painter_.drawRect(cell);
            Qt::Alignment alignment = Qt::AlignHCenter;
            if (!head && table.alignments.at(c) == Alignment::left) alignment = Qt::AlignLeft;
            if (!head && table.alignments.at(c) == Alignment::right) alignment = Qt::AlignRight;
            const std::string text = c < row.size() ? row[c] : std::string();
            painter_.drawText(cell.adjusted(padding, 0, -padding, 0), alignment | Qt::AlignVCenter, qText(text));
            x += widths[c];
        }
        top_ += rowHeight;
    }

    // The largest size from 9 points down to 7 at which the table fits the width of the page.
    int pointsFor(const StepsTable& table) const {
        int points = tablePoints;
        while (points > smallestTablePoints) {
            const std::vector<double> widths = columnWidths(table, fontOf(points));
            if (std::accumulate(widths.begin(), widths.end(), 0.0) <= width_) break;
            --points;
        }
        return points;
    }
    double rowHeightAt(int points) const { return lineHeight(fontOf(points)) * 1.35; }
    // The title, the heads and the rows.
    double tableHeight(const StepsTable& table) const {
        const double rows = static_cast<double>(table.rows.size() + 1);
        return lineHeight(fontOf(tablePoints)) + rows * rowHeightAt(pointsFor(table));
    }

    void paintTable(const StepsTable& table) {
        const int points = pointsFor(table);
        const std::vector<double> widths = columnWidths(table, fontOf(points));
        const QFont font = fontOf(points);
        const double rowHeight = rowHeightAt(points);
        space(5);
        // A table that fits on a page is not split; a longer one keeps its title, heads and first row together.
        const double wholeHeight = tableHeight(table);
        keepTogether(wholeHeight <= height_ ? wholeHeight : lineHeight(fontOf(tablePoints)) + 2 * rowHeight);
        line(table.title, fontOf(tablePoints, true), Qt::AlignLeft);
        space(2);
        painter_.setPen(QPen(Qt::black, 0.6 * pixelsPerPoint_));
        const auto heads = [&] {
            painter_.setFont(fontOf(points, true));
            paintRow(table.heads, widths, table, rowHeight, true);
            painter_.setFont(font);
        };
        heads();
        for (const auto& row : table.rows) {
            if (top_ + rowHeight > height_) {
                newPage();
                heads();
            }
            paintRow(row, widths, table, rowHeight, false);
        }
        space(2);
        for (const std::string& note : table.notes) line(note, fontOf(notePoints), Qt::AlignLeft);
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    double width_;
    double height_;
    double pixelsPerPoint_;
    double top_ = 0;
};

}  // namespace

double paintStepsPages(QPainter& painter, QPagedPaintDevice& device, const StepsDocument& document) {
    return StepsPainter(painter, device).paint(document);
}

}  // namespace morvalen::report
