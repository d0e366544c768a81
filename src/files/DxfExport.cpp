// The drawing of the quadrilateral as DXF (AutoCAD R2000), written with dxflib.
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

#include "files/ResultExport.h"
#include "files/ResultTable.h"

namespace morvalen::files {
namespace {

// Layer names, with the ACI colour of each.
struct Layer {
    const char* name;
    int colour;
};
constexpr Layer stationLayer{"STATIONS", DL_Codes::red};
constexpr Layer nameLayer{"NAMES", DL_Codes::black};  // black draws white on a dark background
constexpr Layer sideLayer{"SIDES", DL_Codes::green};
constexpr Layer diagonalLayer{"DIAGONALS", DL_Codes::blue};
constexpr Layer layers[] = {stationLayer, nameLayer, sideLayer, diagonalLayer};

// Text of an R2000 drawing is read in the drawing's code page; every character outside ASCII is written as the
// escape \U+XXXX (its UTF-16 code units), which AutoCAD shows as that character whatever the code page.
std::string drawingText(const std::string& utf8) {
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead < 0x80) {
            text += utf8[at++];
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t codePoint = lead & (length == 4 ? 0x07 : length == 3 ? 0x0F : 0x1F);
        for (std::size_t k = 1; k < length && at + k < utf8.size(); ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3F);
        }
        at += length;
        const auto escape = [&](unsigned unit) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "\\U+%04X", unit);
            text += hex;
        };
        if (codePoint >= 0x10000) {
            escape(0xD800 + ((codePoint - 0x10000) >> 10));
            escape(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            escape(codePoint);
        }
    }
    return text;
}

void writeTables(DL_Dxf& dxf, DL_WriterA& writer) {
    writer.sectionTables();
    dxf.writeVPort(writer);
    writer.tableLinetypes(3);
    dxf.writeLinetype(writer, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(writer, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(writer, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    writer.tableEnd();
    writer.tableLayers(1 + static_cast<int>(std::size(layers)));
    dxf.writeLayer(writer, DL_LayerData("0", 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    for (const Layer& layer : layers) {
        dxf.writeLayer(writer, DL_LayerData(layer.name, 0), DL_Attributes("", layer.colour, 100, "CONTINUOUS", 1.0));
    }
    writer.tableEnd();
    writer.tableStyle(1);
    dxf.writeStyle(writer, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    writer.tableEnd();
    dxf.writeView(writer);
    dxf.writeUcs(writer);
    writer.tableAppid(1);
    dxf.writeAppid(writer, "ACAD");
    writer.tableEnd();
    dxf.writeDimStyle(writer, 2.5, 1.25, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(writer);
    writer.tableEnd();
    writer.sectionEnd();

    writer.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(writer, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(writer, block);
    }
    writer.sectionEnd();
}

// Attributes of an entity on a layer: the layer's colour and line type.
DL_Attributes onLayer(const Layer& layer) { return DL_Attributes(layer.name, 256, -1, -1, "BYLAYER"); }

void writeEntities(DL_Dxf& dxf, DL_WriterA& writer, const std::vector<Station>& stations) {
    // Drawing x is the easting Y, drawing y the northing X. The names are a fortieth of the figure's size high.
    double extent = 0;
    for (const Station& a : stations) {
        for (const Station& b : stations) extent = std::max({extent, std::abs(a.x - b.x), std::abs(a.y - b.y)});
    }
    const double textHeight = std::max(extent / 40, 0.01);
    writer.sectionEntities();
    for (const Station& station : stations) {
        dxf.writePoint(writer, DL_PointData(station.y, station.x, 0.0), onLayer(stationLayer));
        const double left = station.y + textHeight / 2, base = station.x + textHeight / 2;
        dxf.writeText(writer,
                      DL_TextData(left, base, 0.0, left, base, 0.0, textHeight, 1.0, 0, 0, 0,
                                  drawingText(station.name), "Standard", 0.0),
                      onLayer(nameLayer));
    }
    const auto join = [&](const StationPair& pair, const Layer& layer) {
        if (pair.from >= static_cast<int>(stations.size()) || pair.to >= static_cast<int>(stations.size())) return;
        const Station& from = stations[static_cast<std::size_t>(pair.from)];
        const Station& to = stations[static_cast<std::size_t>(pair.to)];
        dxf.writeLine(writer, DL_LineData(from.y, from.x, 0.0, to.y, to.x, 0.0), onLayer(layer));
    };
    for (const StationPair& side : outerSides) join(side, sideLayer);
    for (const StationPair& diagonal : diagonals) join(diagonal, diagonalLayer);
    writer.sectionEnd();
}

}  // namespace

void writeResultDrawing(const SurveyState& state, const std::filesystem::path& path) {
    const std::vector<Station> all = stations(state);
    writeThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> writer(dxf.out(shownPath(temporary).c_str(), DL_Codes::AC1015));
        if (!writer || writer->openFailed()) throw FileNotWritten("不能在其文件夹中创建文件");
        dxf.writeHeader(*writer);
        writer->dxfString(9, "$INSUNITS");
        writer->dxfInt(70, 6);  // metres
        writer->sectionEnd();
        writeTables(dxf, *writer);
        writeEntities(dxf, *writer, all);
        dxf.writeObjects(*writer);
        dxf.writeObjectsEnd(*writer);
        writer->dxfEOF();
        writer->close();
        // dxflib reports no failed write: a drawing that does not end in its EOF record was cut short. It writes
        // in text mode, so on Windows the record ends in CR LF.
        std::ifstream written(temporary, std::ios::binary | std::ios::ate);
        const auto size = static_cast<std::streamoff>(written.tellg());
        char end[5] = {};
        if (size >= 5) {
            written.seekg(size - 5);
            written.read(end, 5);
        }
        const std::string_view last(end, 5);
        if (last.substr(1) != "EOF\n" && last != "EOF\r\n") throw FileNotWritten("写入时出错");
    });
}

}  // namespace morvalen::files
