#include "report/TabLayout.h"

#include <algorithm>

namespace morvalen::report {

std::vector<Row> layOut(const std::vector<Line>& lines, const Measure& measure, int startPoints) {
    std::vector<Row> rows;
    int points = startPoints;
    for (const Line& line : lines) {
        rows.push_back({points, {}});
        double x = 0;
        for (const Item& item : line) {
            if (const auto* size = std::get_if<FontSize>(&item)) {
                points = size->points;
            } else if (const auto* tab = std::get_if<TabStop>(&item)) {
                const double columnWidth = measure.columnWidth(points);
                const double target = (std::max(tab->column, 1) - 1) * columnWidth;
                // The painter's widths are sums of fractional advances: a position within a millionth of a column
                // of the tab column counts as standing on it.
                if (x > target + columnWidth * 1e-6) {
                    rows.back().fontPoints = points;
                    rows.push_back({points, {}});
                }
                x = target;
            } else {
                const std::string& text = std::get<Text>(item).text;
                if (text.empty()) continue;
                rows.back().texts.push_back({x, points, text});
                x += measure.textWidth(text, points);
            }
        }
        rows.back().fontPoints = points;
    }
    return rows;
}

}  // namespace morvalen::report
