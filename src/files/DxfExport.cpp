// The drawing of the quadrilateral as DXF (AutoCAD R2000), written with dxflib.
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <utility>

#include "entry/Utf8.h"
#include "files/ResultExport.h"
#include "files/ResultTable.h"
#include "i18n/Language.h"

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
// A control character (a line break, an escape) is refused: in the file it would end the text's group and start
// groups of its own.
std::string drawingText(const std::string& utf8) {
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const Utf8Character shown = utf8CharacterAt(utf8, at);
        if (shown.wellFormed && isControlCharacter(shown.codePoint)) {
            throw FileNotWritten(i18n::withArguments(
                i18n::translate("点名 \"%1\" 中有控制字符 %2，DXF 图形中不能用"),
                {escapedControls(utf8), escapedControls(utf8.substr(at, shown.length))}));
        }
        if (lead < 0x80) {
            text += utf8[at++];
            continue;
        }
        const Utf8Character character = utf8CharacterAt(utf8, at);
        const char32_t codePoint = character.codePoint;
        const std::size_t length = character.length;
        at += length;
        const auto escape = [&](unsigned unit) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "\\U+%04X", unit);
            text += hex;
        };
        // CAD fonts draw the Basic Multilingual Plane only; a character beyond it (an emoji) would be lost.
        if (codePoint >= 0x10000) {
            throw FileNotWritten(i18n::withArguments(
                i18n::translate("点名 \"%1\" 中的字符 \"%2\" 在 CAD 的字体中没有（基本多文种平面以外的字符）"),
                {utf8, utf8.substr(at - length, length)}));
        }
        escape(codePoint);
    }
    return text;
}

// The extents of the network in drawing units: x the easting, y the northing.
struct Extents {
    double minimumX, minimumY, maximumX, maximumY;
};

Extents extentsOf(const std::vector<Station>& stations) {
    Extents extents{0, 0, 0, 0};
    for (std::size_t k = 0; k < stations.size(); ++k) {
        const double x = stations[k].y, y = stations[k].x;
        if (k == 0) extents = {x, y, x, y};
        extents = {std::min(extents.minimumX, x), std::min(extents.minimumY, y), std::max(extents.maximumX, x),
                   std::max(extents.maximumY, y)};
    }
    return extents;
}

// The active view, centred on the network with a tenth of its size around it, so that CAD opens on it.
void writeActiveView(DL_WriterA& writer, const Extents& extents) {
    constexpr double aspect = 1.5;  // width over height of the view
    const double width = extents.maximumX - extents.minimumX, height = extents.maximumY - extents.minimumY;
    const double viewHeight = std::max({height, width / aspect, 1.0}) * 1.2;
    writer.table("VPORT", 1, 8);  // the handle dxflib gives its viewport table
    writer.dxfString(0, "VPORT");
    writer.handle();
    writer.dxfString(100, "AcDbSymbolTableRecord");
    writer.dxfString(100, "AcDbViewportTableRecord");
    writer.dxfString(2, "*Active");
    writer.dxfInt(70, 0);
    const std::pair<int, double> groups[] = {
        {10, 0.0}, {20, 0.0}, {11, 1.0}, {21, 1.0},
        {12, (extents.minimumX + extents.maximumX) / 2}, {22, (extents.minimumY + extents.maximumY) / 2},
        {13, 0.0}, {23, 0.0}, {14, 10.0}, {24, 10.0}, {15, 10.0}, {25, 10.0}, {16, 0.0}, {26, 0.0}, {36, 1.0},
        {17, 0.0}, {27, 0.0}, {37, 0.0}, {40, viewHeight}, {41, aspect}, {42, 50.0}, {43, 0.0}, {44, 0.0},
        {50, 0.0}, {51, 0.0}};
    for (const auto& [code, value] : groups) writer.dxfReal(code, value);
    for (const auto& [code, value] : {std::pair{71, 0}, {72, 100}, {73, 1}, {74, 3}, {75, 0}, {76, 0}, {77, 0},
                                      {78, 0}}) {
        writer.dxfInt(code, value);
    }
    writer.tableEnd();
}

// The dimension style Standard, with the text style it refers to (dxflib's own refers to the style it wrote).
void writeDimensionStyle(DL_WriterA& writer, unsigned long textStyle) {
    writer.dxfString(0, "TABLE");
    writer.dxfString(2, "DIMSTYLE");
    writer.dxfHex(5, 0xA);
    writer.dxfString(100, "AcDbSymbolTable");
    writer.dxfInt(70, 1);
    writer.dxfString(100, "AcDbDimStyleTable");
    writer.dxfInt(71, 0);
    writer.dxfString(0, "DIMSTYLE");
    writer.dxfHex(105, 0x27);
    writer.dxfString(100, "AcDbSymbolTableRecord");
    writer.dxfString(100, "AcDbDimStyleTableRecord");
    writer.dxfString(2, "Standard");
    // Sizes in drawing units (arrow 2.5, extension 0.625 and 1.25, text 2.5) and the settings of metric drawings.
    for (const auto& [code, value] : {std::pair{41, 2.5}, {42, 0.625}, {43, 3.75}, {44, 1.25}}) writer.dxfReal(code, value);
    for (const auto& [code, value] : {std::pair{70, 0}, {73, 0}, {74, 0}, {77, 1}, {78, 8}}) writer.dxfInt(code, value);
    for (const auto& [code, value] : {std::pair{140, 2.5}, {141, 2.5}, {143, 0.03937007874016}, {147, 0.625}}) {
        writer.dxfReal(code, value);
    }
    for (const auto& [code, value] : {std::pair{171, 3}, {172, 1}, {271, 2}, {272, 2}, {274, 3}, {278, 44}, {283, 0},
                                      {284, 8}}) {
        writer.dxfInt(code, value);
    }
    writer.dxfHex(340, static_cast<int>(textStyle));
    writer.tableEnd();
}

void writeTables(DL_Dxf& dxf, DL_WriterA& writer, const Extents& extents) {
    writer.sectionTables();
    writeActiveView(writer, extents);
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
    // The text style of Chinese CAD practice: the shape font txt.shx with the big font gbcbig.shx, which holds the
    // characters of GB 2312; without a big font CAD draws Chinese names as question marks or lozenges. dxflib's own
    // style record of R2000 has room for a TrueType family only, so the record is written here.
    writer.tableStyle(1);
    writer.dxfString(0, "STYLE");
    const unsigned long textStyle = writer.handle();
    writer.dxfString(100, "AcDbSymbolTableRecord");
    writer.dxfString(100, "AcDbTextStyleTableRecord");
    writer.dxfString(2, "Standard");
    writer.dxfInt(70, 0);
    writer.dxfReal(40, 0.0);
    writer.dxfReal(41, 1.0);
    writer.dxfReal(50, 0.0);
    writer.dxfInt(71, 0);
    writer.dxfReal(42, 2.5);
    writer.dxfString(3, "txt.shx");
    writer.dxfString(4, "gbcbig.shx");
    writer.tableEnd();
    dxf.writeView(writer);
    dxf.writeUcs(writer);
    writer.tableAppid(1);
    dxf.writeAppid(writer, "ACAD");
    writer.tableEnd();
    writeDimensionStyle(writer, textStyle);
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

// The objects of an R2000 drawing: the named dictionaries CAD expects, each object with its owner (dxflib's own
// objects section leaves the owners out, which CAD then has to repair). Handles are those the tables refer to.
void writeObjects(DL_WriterA& writer) {
    const auto object = [&](const char* type, int handle, int owner) {
        writer.dxfString(0, type);
        writer.dxfHex(5, handle);
        writer.dxfHex(330, owner);
    };
    const auto dictionary = [&](int handle, int owner, std::initializer_list<std::pair<const char*, int>> entries,
                                bool hardOwner = true) {
        object("DICTIONARY", handle, owner);
        writer.dxfString(100, "AcDbDictionary");
        if (hardOwner) writer.dxfInt(280, 0);
        writer.dxfInt(281, 1);
        for (const auto& [name, entry] : entries) {
            writer.dxfString(3, name);
            writer.dxfHex(350, entry);
        }
    };
    constexpr int root = 0xC, groups = 0xD, plotStyles = 0xE, normal = 0xF, lineStyles = 0x17, standardLine = 0x18,
                  plotSettings = 0x19, layouts = 0x1A, variables = 0x44;
    writer.sectionObjects();
    dictionary(root, 0, {{"ACAD_GROUP", groups}, {"ACAD_LAYOUT", layouts}, {"ACAD_MLINESTYLE", lineStyles},
                         {"ACAD_PLOTSETTINGS", plotSettings}, {"ACAD_PLOTSTYLENAME", plotStyles},
                         {"AcDbVariableDictionary", variables}});
    dictionary(groups, root, {});
    object("ACDBDICTIONARYWDFLT", plotStyles, root);
    writer.dxfString(100, "AcDbDictionary");
    writer.dxfInt(281, 1);
    writer.dxfString(3, "Normal");
    writer.dxfHex(350, normal);
    writer.dxfString(100, "AcDbDictionaryWithDefault");
    writer.dxfHex(340, normal);
    object("ACDBPLACEHOLDER", normal, plotStyles);
    dictionary(lineStyles, root, {{"Standard", standardLine}});
    object("MLINESTYLE", standardLine, lineStyles);
    writer.dxfString(100, "AcDbMlineStyle");
    writer.dxfString(2, "STANDARD");
    writer.dxfInt(70, 0);
    writer.dxfString(3, "");
    writer.dxfInt(62, 256);
    writer.dxfReal(51, 90.0);
    writer.dxfReal(52, 90.0);
    writer.dxfInt(71, 2);
    for (const double offset : {0.5, -0.5}) {
        writer.dxfReal(49, offset);
        writer.dxfInt(62, 256);
        writer.dxfString(6, "BYLAYER");
    }
    dictionary(plotSettings, root, {});
    // Each layout with its block record: model space, then the two paper spaces.
    constexpr struct {
        const char* name;
        int handle, blockRecord, order, flags;
    } layoutsOfDrawing[] = {{"Layout1", 0x1E, 0x1B, 1, 688}, {"Model", 0x22, 0x1F, 0, 1712}, {"Layout2", 0x26, 0x23, 2, 688}};
    dictionary(layouts, root, {{"Layout1", 0x1E}, {"Layout2", 0x26}, {"Model", 0x22}}, false);
    for (const auto& layout : layoutsOfDrawing) {
        object("LAYOUT", layout.handle, layouts);
        writer.dxfString(100, "AcDbPlotSettings");
        writer.dxfString(1, "");
        writer.dxfString(2, "none_device");
        writer.dxfString(4, "");
        writer.dxfString(6, "");
        for (int code = 40; code <= 49; ++code) writer.dxfReal(code, 0.0);
        writer.dxfReal(140, 0.0);
        writer.dxfReal(141, 0.0);
        writer.dxfReal(142, 1.0);
        writer.dxfReal(143, 1.0);
        writer.dxfInt(70, layout.flags);
        writer.dxfInt(72, 0);
        writer.dxfInt(73, 0);
        writer.dxfInt(74, layout.order == 0 ? 0 : 5);
        writer.dxfString(7, "");
        writer.dxfInt(75, layout.order == 0 ? 0 : 16);
        writer.dxfReal(147, 1.0);
        writer.dxfReal(148, 0.0);
        writer.dxfReal(149, 0.0);
        writer.dxfString(100, "AcDbLayout");
        writer.dxfString(1, layout.name);
        writer.dxfInt(70, 1);
        writer.dxfInt(71, layout.order);
        const bool paper = layout.order == 1;
        const std::pair<int, double> limits[] = {
            {10, 0.0}, {20, 0.0}, {11, paper ? 420.0 : 12.0}, {21, paper ? 297.0 : 9.0}, {12, 0.0}, {22, 0.0},
            {32, 0.0}, {14, paper ? 1e20 : 0.0}, {24, paper ? 1e20 : 0.0}, {34, paper ? 1e20 : 0.0},
            {15, paper ? -1e20 : 0.0}, {25, paper ? -1e20 : 0.0}, {35, paper ? -1e20 : 0.0}, {146, 0.0},
            {13, 0.0}, {23, 0.0}, {33, 0.0}, {16, 1.0}, {26, 0.0}, {36, 0.0}, {17, 0.0}, {27, 1.0}, {37, 0.0}};
        for (const auto& [code, value] : limits) writer.dxfReal(code, value);
        writer.dxfInt(76, 0);
        writer.dxfHex(330, layout.blockRecord);
    }
    dictionary(variables, root, {{"DIMASSOC", 0x46}, {"HIDETEXT", 0x45}}, false);
    for (const auto& [handle, value] : {std::pair{0x45, "2"}, std::pair{0x46, "1"}}) {
        object("DICTIONARYVAR", handle, variables);
        writer.dxfString(100, "DictionaryVariables");
        writer.dxfInt(280, 0);
        writer.dxfString(1, value);
    }
    writer.sectionEnd();
}

// Attributes of an entity on a layer: the layer's colour and line type.
DL_Attributes onLayer(const Layer& layer) { return DL_Attributes(layer.name, 256, -1, -1, "BYLAYER"); }

void writeEntities(DL_Dxf& dxf, DL_WriterA& writer, const std::vector<Station>& stations,
                   const std::vector<std::string>& names) {
    // Drawing x is the easting Y, drawing y the northing X. The names are a fortieth of the figure's size high.
    double extent = 0;
    for (const Station& a : stations) {
        for (const Station& b : stations) extent = std::max({extent, std::abs(a.x - b.x), std::abs(a.y - b.y)});
    }
    const double textHeight = std::max(extent / 40, 0.01);
    writer.sectionEntities();
    for (std::size_t k = 0; k < stations.size(); ++k) {
        const Station& station = stations[k];
        dxf.writePoint(writer, DL_PointData(station.y, station.x, 0.0), onLayer(stationLayer));
        const double left = station.y + textHeight / 2, base = station.x + textHeight / 2;
        dxf.writeText(writer,
                      DL_TextData(left, base, 0.0, left, base, 0.0, textHeight, 1.0, 0, 0, 0,
                                  names[k], "Standard", 0.0),
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
    std::vector<std::string> names;
    for (const Station& station : all) names.push_back(drawingText(station.name));
    const Extents extents = extentsOf(all);
    writeThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> writer(dxf.out(shownPath(temporary).c_str(), DL_Codes::AC1015));
        if (!writer || writer->openFailed()) throw FileNotWritten(i18n::translate("不能在其文件夹中创建文件"));
        dxf.writeHeader(*writer);
        writer->dxfString(9, "$INSUNITS");
        writer->dxfInt(70, 6);  // metres
        writer->dxfString(9, "$EXTMIN");
        writer->dxfReal(10, extents.minimumX);
        writer->dxfReal(20, extents.minimumY);
        writer->dxfReal(30, 0.0);
        writer->dxfString(9, "$EXTMAX");
        writer->dxfReal(10, extents.maximumX);
        writer->dxfReal(20, extents.maximumY);
        writer->dxfReal(30, 0.0);
        writer->sectionEnd();
        writeTables(dxf, *writer, extents);
        writeEntities(dxf, *writer, all, names);
        writeObjects(*writer);
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
        if (last.substr(1) != "EOF\n" && last != "EOF\r\n") throw FileNotWritten(i18n::translate("写入时出错"));
    });
}

}  // namespace morvalen::files
