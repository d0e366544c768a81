#include "report/PlotDrawing.h"

#include "form/FieldText.h"

namespace morvalen::report {
namespace {

// Two decimals of a pixel, never -0.
std::string number(double value) { return roundedFixed(value, 2); }

std::string colourText(const Colour& colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," + std::to_string(colour.blue) +
           ")";
}


std::string strokeOf(const PlotPen& pen) {
    std::string stroke = " stroke=\"" + colourText(pen.colour) + "\" stroke-width=\"" + number(pen.width) +
                         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    if (pen.dashed) stroke += " stroke-dasharray=\"" + number(4 * pen.width) + "," + number(2 * pen.width) + "\"";
    return stroke;
}

struct ShapeWriter {
    std::string& out;

    void operator()(const PlotLine& line) const {
        out += "<line x1=\"" + number(line.from.x) + "\" y1=\"" + number(line.from.y) + "\" x2=\"" + number(line.to.x) +
               "\" y2=\"" + number(line.to.y) + "\"" + strokeOf(line.pen) + "/>\n";
    }
    void operator()(const PlotEllipse& ellipse) const {
        out += "<ellipse cx=\"0\" cy=\"0\" rx=\"" + number(ellipse.across) + "\" ry=\"" + number(ellipse.along) +
               "\" transform=\"translate(" + number(ellipse.centre.x) + "," + number(ellipse.centre.y) + ") rotate(" +
               number(ellipse.turnDegrees) + ")\" fill=\"" + (ellipse.whiteFill ? "white" : "none") + "\"" +
               strokeOf(ellipse.pen) + "/>\n";
    }
    void operator()(const PlotPolygon& polygon) const {
        std::string points;
        for (const PlotPoint& corner : polygon.corners) {
            points += (points.empty() ? "" : " ") + number(corner.x) + "," + number(corner.y);
        }
        out += "<polygon points=\"" + points + "\" fill=\"" + colourText(polygon.fill) + "\"/>\n";
    }
    void operator()(const PlotText& text) const {
        static const char* const anchors[] = {"start", "middle", "end"};
        out += "<text x=\"" + number(text.at.x) + "\" y=\"" + number(text.at.y) + "\" font-size=\"" +
               number(text.size) + "\" text-anchor=\"" + anchors[static_cast<int>(text.anchor)] + "\" fill=\"" +
               colourText(text.colour) + "\">" + xmlEscaped(text.text) + "</text>\n";
    }
};

}  // namespace

std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

double textWidth(std::string_view text, double size) {
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t codePoint = lead;
        if (length == 3 && i + 2 < text.size()) {
            codePoint = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                        (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        }
        // From the CJK radicals on, and every character beyond the basic plane, the full width.
        ems += length == 4 || (length == 3 && codePoint >= 0x2E80) ? 1.0 : 0.6;
        i += length;
    }
    return ems * size;
}

std::string svgDocument(const PlotDrawing& drawing) {
    const std::string width = number(drawing.width), height = number(drawing.height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\" font-family=\"" +
                      xmlEscaped(plotFontFamilies) + "\">\n<title>" + xmlEscaped(drawing.title) + "</title>\n<rect width=\"" +
                      width + "\" height=\"" + height + "\" fill=\"white\"/>\n";
    const ShapeWriter writer{out};
    for (const PlotShape& shape : drawing.shapes) std::visit(writer, shape);
    out += "</svg>\n";
    return out;
}

}  // namespace morvalen::report
