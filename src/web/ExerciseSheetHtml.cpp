#include "web/ExerciseSheetHtml.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "report/PlotDrawing.h"

namespace morvalen::web {
namespace {

const char* alignmentClass(report::Alignment alignment) {
    return alignment == report::Alignment::left ? "l" : alignment == report::Alignment::right ? "r" : "c";
}

void writeDocument(std::ostringstream& out, const report::StepsDocument& document) {
    if (!document.title.empty()) out << "<h1>" << report::xmlEscaped(document.title) << "</h1>\n";
    for (const report::StepsSection& section : document.sections) {
        out << "<h2>" << report::xmlEscaped(section.heading) << "</h2>\n";
        for (const report::StepsTable& table : section.tables) {
            if (!table.title.empty()) out << "<h3>" << report::xmlEscaped(table.title) << "</h3>\n";
            out << "<table><thead><tr>";
            for (const std::string& head : table.heads) out << "<th>" << report::xmlEscaped(head) << "</th>";
            out << "</tr></thead><tbody>\n";
            for (const auto& row : table.rows) {
                out << "<tr>";
                for (std::size_t c = 0; c < row.size(); ++c) {
                    const auto alignment = c < table.alignments.size() ? table.alignments[c] : report::Alignment::centre;
                    out << "<td class=\"" << alignmentClass(alignment) << "\">" << report::xmlEscaped(row[c]) << "</td>";
                }
                out << "</tr>\n";
            }
            out << "</tbody></table>\n";
            for (const std::string& note : table.notes) out << "<p>" << report::xmlEscaped(note) << "</p>\n";
        }
    }
    if (!document.stopNote.empty()) out << "<p>" << report::xmlEscaped(document.stopNote) << "</p>\n";
}

// The four sides and both diagonals, north up, each station with its number and name outside the figure and each
// angle's number inside it, halfway between its two directions (b(2s + 1) from station s + 1 to s + 2, b(2s) from
// s + 2 to s + 3, b(8) at A), as on the printed sheet.
void writeSketch(std::ostringstream& out, const exercise::Exercise& made) {
    const double size = 360;
    const auto [minX, maxX] = std::minmax_element(made.x.begin(), made.x.end());
    const auto [minY, maxY] = std::minmax_element(made.y.begin(), made.y.end());
    const double scale = size * 0.7 / std::max({*maxX - *minX, *maxY - *minY, 1e-9});
    std::array<double, 4> u{}, v{};  // pixels: right, down
    double cu = 0, cv = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        u[i] = size * 0.15 + (made.y[i] - *minY) * scale;
        v[i] = size * 0.15 + (*maxX - made.x[i]) * scale;
        cu += u[i] / 4;
        cv += v[i] / 4;
    }
    out << "<svg class=\"sketch\" width=\"" << size << "\" height=\"" << size << "\" viewBox=\"0 0 " << size << ' '
        << size << "\" font-size=\"13\" text-anchor=\"middle\" dominant-baseline=\"middle\">\n";
    const auto line = [&](std::size_t a, std::size_t b) {
        out << "<line x1=\"" << u[a] << "\" y1=\"" << v[a] << "\" x2=\"" << u[b] << "\" y2=\"" << v[b]
            << "\" stroke=\"black\"/>\n";
    };
    for (std::size_t i = 0; i < 4; ++i) line(i, (i + 1) % 4);
    line(0, 2);
    line(1, 3);
    const auto text = [&](double x, double y, const std::string& label) {
        out << "<text x=\"" << std::lround(x) << "\" y=\"" << std::lround(y) << "\">" << report::xmlEscaped(label) << "</text>\n";
    };
    const auto unit = [](double x, double y) {
        const double length = std::max(1e-9, std::hypot(x, y));
        return std::pair{x / length, y / length};
    };
    const auto& names = made.observations.names;
    const bool azimuthCase = made.observations.runCase() == RunCase::azimuth;
    const std::array<std::string, 4> stations{names[0], names[1], names[2], azimuthCase ? names[3] : names[4]};
    for (std::size_t s = 0; s < 4; ++s) {
        const auto [ou, ov] = unit(u[s] - cu, v[s] - cv);
        text(u[s] + ou * 28, v[s] + ov * 22, std::to_string(s + 1) + " " + stations[s]);
        std::array<std::pair<double, double>, 3> towards;
        for (std::size_t k = 0; k < 3; ++k) towards[k] = unit(u[(s + k + 1) % 4] - u[s], v[(s + k + 1) % 4] - v[s]);
        const std::array<std::pair<int, std::size_t>, 2> angles{std::pair{static_cast<int>(2 * s + 1), std::size_t{0}},
                                                                std::pair{s == 0 ? 8 : static_cast<int>(2 * s), std::size_t{1}}};
        for (const auto& [angle, first] : angles) {
            const auto [du, dv] = unit(towards[first].first + towards[first + 1].first,
                                       towards[first].second + towards[first + 1].second);
            text(u[s] + du * size * 0.11, v[s] + dv * size * 0.11, std::to_string(angle));
        }
    }
    out << "</svg>\n";
}

}  // namespace

std::string exerciseSheetHtml(const report::StepsDocument& data, const exercise::Exercise& made,
                              const report::StepsDocument& steps) {
    std::ostringstream out;
    out << "<!doctype html>\n<html><head><meta charset=\"utf-8\"><title>" << report::xmlEscaped(data.title) << "</title>\n"
        << "<style>body{font-family:serif;margin:2em}table{border-collapse:collapse;margin:.3em 0 1em}"
           "th,td{border:1px solid #000;padding:.25em .5em;white-space:pre;min-width:3em}td.l{text-align:left}"
           "td.r{text-align:right}td.c{text-align:center}.steps{break-before:page}</style></head><body>\n";
    writeDocument(out, data);
    writeSketch(out, made);
    out << "<div class=\"steps\">\n";
    writeDocument(out, steps);
    out << "</div>\n</body></html>\n";
    return out.str();
}

}  // namespace morvalen::web
