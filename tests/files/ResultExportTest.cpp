// The exports of a completed computation, read back as the receiving programs would read them.
#include <gtest/gtest.h>
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "command/ComputeCommand.h"
#include "command/RunRecord.h"
#include "entry/FieldModel.h"
#include "files/ResultExport.h"
#include "files/ResultTable.h"
#include "form/FieldText.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::files {
namespace {

namespace fs = std::filesystem;
using namespace morvalen::testing;

// The exact quadrilateral A (1000, 1000), P1 (1130, 985), P2 (1150, 1140), B (1010, 1175) in the known-side case,
// under the names given, as the run recorded it.
RunRecord knownSideRecord(const std::vector<std::string>& names) {
    const std::vector<std::string> angles = {"49.362524", "51.083268", "39.374089", "39.372120",
                                             "57.034071", "43.411720", "35.324608", "43.421601"};
    ScriptedPrompt typist(confirmedEach(knownSideCoordinates) + confirmedEach(names) + confirmedEach(angles));
    RunRecord record;
    FieldModel fields;
    runComputeCommand(typist, fields, record);
    return record;
}

SurveyState knownSideRun(const std::vector<std::string>& names) { return knownSideRecord(names).state; }

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

std::string fromGb18030(std::string bytes) {
    iconv_t converter = iconv_open("UTF-8", "GB18030");
    std::string out(bytes.size() * 2, '\0');
    char* from = bytes.data();
    char* to = out.data();
    std::size_t fromLeft = bytes.size(), toLeft = out.size();
    iconv(converter, &from, &fromLeft, &to, &toLeft);
    iconv_close(converter);
    out.resize(out.size() - toLeft);
    return out;
}

class ResultExport : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-export-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(ResultExport, CassDataIsEastBeforeNorthInGb18030AndRefusesWhatCassCannotRead) {
    const SurveyState state = knownSideRun({"东山", "西岭", "北山", "南塔"});
    const std::string bytes = cassCoordinateData(state);
    EXPECT_EQ(bytes.substr(0, 4), "\xB6\xAB\xC9\xBD");  // 东山 in GB 18030
    EXPECT_EQ(fromGb18030(bytes), "东山,,1000.000,1000.000,0.000\r\n西岭,,985.000,1130.000,0.000\r\n"
                                  "北山,,1140.000,1150.000,0.000\r\n南塔,,1175.000,1010.000,0.000\r\n");
    exportResults(state, folder / "out.DAT");
    EXPECT_EQ(readFile(folder / "out.DAT"), bytes);

    for (const std::string name : {"北山,一号", "P\r2", "😀", "\xFF"}) {
        EXPECT_THROW(cassCoordinateData(knownSideRun({"A", name, "P2", "B"})), FileNotWritten) << name;
        EXPECT_THROW(exportResults(knownSideRun({"A", name, "P2", "B"}), folder / "refused.dat"), FileNotWritten);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "nothing half written";
}

TEST_F(ResultExport, CsvHasByteOrderMarkAndQuotesNames) {
    exportResults(knownSideRun({"A", "北山,一号", "P2", "B"}), folder / "out.csv");
    EXPECT_EQ(readFile(folder / "out.csv"), "\xEF\xBB\xBFname,X,Y\r\nA,1000.000,1000.000\r\n\"北山,一号\",1130.000,"
                                            "985.000\r\nP2,1150.000,1140.000\r\nB,1010.000,1175.000\r\n");
}

TEST_F(ResultExport, PrecisionAddsTheColumnsOfTheStationErrors) {
    const RunRecord run = knownSideRecord({"A", "P1", "P2", "B"});
    const SurveyState& state = run.state;
    const auto precision = analysis::analysePrecision(run, 2.5);
    ASSERT_TRUE(precision);
    exportResults(state, folder / "out.csv", &*precision);
    const std::string csv = readFile(folder / "out.csv");
    const std::string start = "\xEF\xBB\xBFname,X,Y,mx_mm,my_mm,mp_mm\r\nA,1000.000,1000.000,,,\r\n";
    EXPECT_EQ(csv.substr(0, start.size()), start);
    const ResultSheet table = resultTable(state, &*precision);
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[1][5].text, roundedFixed(precision->stations[1].mp, 2));
    EXPECT_EQ(table.rows[1][5].number, std::stod(table.rows[1][5].text));
    EXPECT_EQ(table.rows[3][3].text, "") << "B is fixed";
}

// Every entity of the drawing as dxflib's reader sees it.
struct DrawingReader : DL_CreationAdapter {
    std::vector<std::pair<std::string, DL_PointData>> points;
    std::vector<std::pair<std::string, DL_TextData>> texts;
    std::vector<std::pair<std::string, DL_LineData>> lines;
    std::vector<std::string> layers;
    void addLayer(const DL_LayerData& data) override { layers.push_back(data.name); }
    void addPoint(const DL_PointData& data) override { points.emplace_back(getAttributes().getLayer(), data); }
    void addText(const DL_TextData& data) override { texts.emplace_back(getAttributes().getLayer(), data); }
    void addLine(const DL_LineData& data) override { lines.emplace_back(getAttributes().getLayer(), data); }
};

TEST_F(ResultExport, DrawingReadsBackWithEastRightAndNorthUp) {
    exportResults(knownSideRun({"A", "北山", "P2", "B"}), folder / "out.dxf");
    DrawingReader drawing;
    DL_Dxf dxf;
    ASSERT_TRUE(dxf.in((folder / "out.dxf").string(), &drawing));
    EXPECT_EQ(drawing.layers, (std::vector<std::string>{"0", "STATIONS", "NAMES", "SIDES", "DIAGONALS"}));
    const std::vector<std::pair<double, double>> eastNorth = {{1000, 1000}, {985, 1130}, {1140, 1150}, {1175, 1010}};
    ASSERT_EQ(drawing.points.size(), 4u);
    ASSERT_EQ(drawing.texts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(drawing.points[i].first, "STATIONS");
        EXPECT_NEAR(drawing.points[i].second.x, eastNorth[i].first, 1e-9);
        EXPECT_NEAR(drawing.points[i].second.y, eastNorth[i].second, 1e-9);
        EXPECT_EQ(drawing.texts[i].first, "NAMES");
        EXPECT_GT(drawing.texts[i].second.ipx, eastNorth[i].first);
    }
    EXPECT_EQ(drawing.texts[1].second.text, "\\U+5317\\U+5C71");  // 北山, as AutoCAD reads it in any code page
    ASSERT_EQ(drawing.lines.size(), 6u);
    const std::pair<int, int> joined[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {1, 3}, {0, 2}};
    for (std::size_t k = 0; k < 6; ++k) {
        const auto& [layer, line] = drawing.lines[k];
        EXPECT_EQ(layer, k < 4 ? "SIDES" : "DIAGONALS");
        EXPECT_NEAR(line.x1, eastNorth[joined[k].first].first, 1e-9);
        EXPECT_NEAR(line.y2, eastNorth[joined[k].second].second, 1e-9);
    }
}

std::string unzipped(const fs::path& workbook, const std::string& member) {
    const std::string command = "unzip -p '" + workbook.string() + "' " + member;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
    ::pclose(pipe);
    return text;
}

TEST_F(ResultExport, WorkbookHasResultAndObservationSheets) {
    const fs::path workbook = folder / "out.xlsx";
    exportResults(knownSideRun({"A", "北山", "P2", "B"}), workbook);
    const std::string book = unzipped(workbook, "xl/workbook.xml");
    EXPECT_NE(book.find("<sheet name=\"成果表\" sheetId=\"1\""), std::string::npos);
    EXPECT_NE(book.find("<sheet name=\"观测值\" sheetId=\"2\""), std::string::npos);
    const std::string results = unzipped(workbook, "xl/worksheets/sheet1.xml");
    // Row 3: the name (a shared string), then X and Y as numbers in the three-decimal format.
    EXPECT_NE(results.find("<row r=\"3\" spans=\"1:3\"><c r=\"A3\" t=\"s\"><v>4</v></c><c r=\"B3\" s=\"2\"><v>1130</v>"
                           "</c><c r=\"C3\" s=\"2\"><v>985</v></c></row>"),
              std::string::npos)
        << results;
    EXPECT_NE(unzipped(workbook, "xl/sharedStrings.xml").find("<si><t>北山</t></si>"), std::string::npos);
    EXPECT_NE(unzipped(workbook, "xl/styles.xml").find("<numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"),
              std::string::npos);
    const std::string observations = unzipped(workbook, "xl/worksheets/sheet2.xml");
    EXPECT_NE(observations.find("<v>49.36252</v>"), std::string::npos) << "b(1) observed, as the window echoes it";
    EXPECT_NE(observations.find("<row r=\"19\""), std::string::npos) << "eight angles, a blank row, eight figures";
}

TEST_F(ResultExport, WorkbookOfACheckedRunHasTheSheetOfThePairsOfStations) {
    const fs::path workbook = folder / "checked.xlsx";
    const RunRecord run = knownSideRecord({"A", "P1", "P2", "B"});
    const SurveyState& state = run.state;
    const auto precision = analysis::analysePrecision(run, 2.5);
    ASSERT_TRUE(precision);
    exportResults(state, workbook, &*precision);
    EXPECT_NE(unzipped(workbook, "xl/workbook.xml").find("<sheet name=\"点间相对精度\" sheetId=\"3\""), std::string::npos);
    const std::string pairs = unzipped(workbook, "xl/worksheets/sheet3.xml");
    EXPECT_NE(pairs.find("<row r=\"6\""), std::string::npos) << "the heads and five pairs";
    EXPECT_EQ(pairs.find("<row r=\"7\""), std::string::npos) << "no row for A-B";
}

TEST_F(ResultExport, NothingIsWrittenAfterAStopOrWhereTheFolderIsMissing) {
    SurveyState stopped = knownSideRun({"A", "P1", "P2", "B"});
    stopped.computationComplete = false;
    EXPECT_THROW(exportResults(stopped, folder / "out.csv"), NothingToExport);
    EXPECT_THROW(exportResults(knownSideRun({"A", "P1", "P2", "B"}), folder / "missing" / "out.xlsx"), FileNotWritten);
    EXPECT_THROW(exportResults(knownSideRun({"A", "P1", "P2", "B"}), folder / "missing" / "out.dxf"), FileNotWritten);
    EXPECT_THROW(exportResults(knownSideRun({"A", "P1", "P2", "B"}), folder / "out.txt"), FileNotWritten);
    EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace morvalen::files
