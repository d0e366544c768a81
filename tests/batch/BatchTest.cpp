#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

#include "command/ComputeCommand.h"
#include "entry/FieldModel.h"
#include "batch/BatchAdjustment.h"
#include "files/CsvFile.h"
#include "report/ReportModel.h"
#include "support/ScriptedPrompt.h"

namespace morvalen::batch {
namespace {

// The campaign file itself is read by the observation files module.
using namespace morvalen::files;

using morvalen::testing::confirmedEach;
using morvalen::testing::ScriptedPrompt;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The replies a surveyor types at the window for a data set whose case is known.
std::vector<std::string> typedReplies(const Observations& set) {
    std::vector<std::string> values;
    for (std::size_t v = 0; v < enteredValueCount; ++v) {
        if (set.asks(static_cast<EnteredValue>(v))) values.push_back(set.text(static_cast<EnteredValue>(v)));
    }
    return confirmedEach(values);
}

// The index of a result column.
std::size_t column(const std::string& name) {
    return static_cast<std::size_t>(std::find(resultColumns().begin(), resultColumns().end(), name) -
                                    resultColumns().begin());
}

// The result row of the batch is the one the window's run of the same values gives.
void expectSameResults(const BatchResult& batch, const SurveyState& state, const ComputationSteps& steps,
                       const std::string& id) {
    BatchResult fromWindow;
    fromWindow.rowNumber = batch.rowNumber;
    fromWindow.id = batch.id;
    fromWindow.run.stop = batch.run.stop;
    fromWindow.run.state = state;
    fromWindow.run.steps = steps;
    EXPECT_EQ(resultCells(batch), resultCells(fromWindow)) << id;
}

// One adjuster renews its window between rows; each row must still come out as on a new window, whatever case
// or stop the row before it had. The rows go through twice, the second time backwards.
TEST(Batch, EveryRowOfTheExampleCampaignMatchesTheInteractiveRun) {
    const CsvTable table = readCsv(readFile(MORVALEN_EXAMPLES_DIR "/campaign.csv"));
    const ColumnMap columns(table.header);
    ASSERT_EQ(table.rows.size(), 6u);
    std::vector<TableRow> rows = table.rows;
    rows.insert(rows.end(), table.rows.rbegin(), table.rows.rend());
    BatchAdjuster adjuster(columns);
    for (const auto& row : rows) {
        const Observations set = columns.observations(row);
        const std::string id = columns.id(row);
        const BatchResult& result = adjuster.adjust(row);
        SurveyState state;
        FieldModel window;
        ComputationSteps steps;
        ScriptedPrompt prompt(typedReplies(set));
        std::optional<std::string> stop;
        try {
            runComputeCommand(state, prompt, window, steps);
        } catch (const RunStopped& stopped) {
            stop = stopped.what();
        }
        expectSameResults(result, state, steps, id);
        ASSERT_EQ(report::printingAllowed(result.run.state), report::printingAllowed(state)) << id;
        if (report::printingAllowed(state)) {
            EXPECT_EQ(report::reportLines(result.run.state), report::reportLines(state)) << id;
        }
        EXPECT_EQ(result.run.stop.has_value(), stop.has_value()) << id;
        if (stop) {
            EXPECT_EQ(result.run.stop->what(), *stop) << id;
        }
    }
}

TEST(Batch, ResultRowsCarryTheShownNumbersAndStopsInInputOrder) {
    const CsvTable table = readCsv(readFile(MORVALEN_EXAMPLES_DIR "/campaign.csv"));
    const ColumnMap columns(table.header);
    std::ostringstream csv;
    writeCsvRow(csv, resultColumns());
    std::vector<std::vector<std::string>> cells;
    for (const auto& row : table.rows) {
        cells.push_back(resultCells(adjustRow(columns, row)));
        writeCsvRow(csv, cells.back());
    }
    EXPECT_EQ(cells[0][column("w1")], "2.00");
    EXPECT_EQ(cells[0][column("relative_error")], "1/282331");
    EXPECT_EQ(cells[0][column("adjusted_b1")], "44.13113");
    EXPECT_EQ(cells[1][column("inv_plgs")], "4.68721");
    EXPECT_EQ(cells[1][column("x_4")], "1000.000");
    EXPECT_EQ(cells[2][column("name_2")], "北山,一号");
    EXPECT_EQ(cells[2][column("y_2")], "1140.000");
    EXPECT_EQ(cells[3][column("x_3")], "1010.000");
    EXPECT_NE(cells[4][column("stop")].find("恰有一个为零"), std::string::npos);
    EXPECT_EQ(cells[4][column("adjusted_b1")], "44.13113") << "the mixed case is adjusted before it stops";
    EXPECT_NE(cells[5][column("stop")].find("33.1O401"), std::string::npos);
    EXPECT_EQ(cells[5][column("w1")], "");
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(cells[i][column("row")], std::to_string(i + 1));

    // The written file reads back with the same cells, quoting and all.
    const CsvTable back = readCsv(csv.str());
    EXPECT_EQ(back.header, resultColumns());
    ASSERT_EQ(back.rows.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(back.rows[i].cells, cells[i]);
}

// A cell is quoted where a spreadsheet would misread it otherwise, and only there; a result file leaves a blank at
// the end of a cell unquoted, an export quotes it.
TEST(Batch, CellsAreQuotedWhereTheyNeedIt) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", ""}, {"1000.000", "1000.000", "1000.000"}, {"北山", "北山", "北山"}, {"-0.50", "-0.50", "-0.50"},
        {"a,b", "\"a,b\"", "\"a,b\""}, {"say \"A\"", "\"say \"\"A\"\"\"", "\"say \"\"A\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\"", "\"two\r\nlines\""}, {"x\n", "\"x\n\"", "\"x\n\""},
        {" lead", "\" lead\"", "\" lead\""}, {"trail ", "trail ", "\"trail \""}, {"\ttab", "'\ttab", "\ttab"}};
    for (const auto& [cell, result, exported] : cases) {
        std::ostringstream line;
        writeCsvRow(line, {cell, "z"});
        EXPECT_EQ(line.str(), result + ",z\r\n") << cell;
        EXPECT_EQ(files::csvLine({cell, "z"}), exported + ",z\r\n") << cell;
    }
}

TEST(Batch, MalformedRowsAreReportedAndTheOthersGoOn) {
    const std::string csv =
        "\xEF\xBB\xBFid,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\r\n"
        "short,1000,1000\r\n"
        "\r\n"
        "\"quoted, id\",1000,1000,1010,1175,\"A \"\"east\"\"\",P1,P2,B,44.13120,44.20042,49.18030,42.08428,"
        "33.10401,55.22345,54.03519,37.22520\r\n";
    const CsvTable table = readCsv(csv);
    ASSERT_EQ(table.header.front(), "id") << "the byte-order mark is not part of the first column";
    const ColumnMap columns(table.header);
    ASSERT_EQ(table.rows.size(), 2u);
    const BatchResult malformed = adjustRow(columns, table.rows[0]);
    EXPECT_NE(malformed.rowError.find("第 2 行有 3 个字段"), std::string::npos) << "the spreadsheet's row, header 1";
    const BatchResult good = adjustRow(columns, table.rows[1]);
    EXPECT_TRUE(good.completed());
    EXPECT_EQ(good.id, "quoted, id");
    EXPECT_EQ(resultCells(good)[column("name_0")], "A \"east\"") << "row 0 as typed, as the exports name it";
    EXPECT_EQ(good.run.state.pointNames[0], "A \"east\"");
    EXPECT_EQ(resultCells(malformed).back(), malformed.rowError);

    // After a row that was adjusted, a row that cannot be read has a new window's state, not the last row's.
    BatchAdjuster adjuster(columns);
    ASSERT_TRUE(adjuster.adjust(table.rows[1]).completed());
    const BatchResult& afterGood = adjuster.adjust(table.rows[0]);
    EXPECT_FALSE(afterGood.rowError.empty());
    EXPECT_TRUE(afterGood.run.state.adjustedAngles.empty() && afterGood.run.state.normalMatrix.empty() &&
                afterGood.run.state.pointNames.empty() && afterGood.run.state.pointX.empty());
    EXPECT_FALSE(afterGood.run.results().w1.has_value());
}

// A file read in pieces gives the rows of the whole file, wherever the pieces are cut: inside a byte-order mark,
// a quoted cell, a CRLF, a character, or a run of blanks that the cells keep.
TEST(Batch, AFileReadInPiecesGivesTheSameRows) {
    const std::string csv =
        "\xEF\xBB\xBFid,name_A,b1\r\n"
        "  lead, \t A \t ,1.0\r\n"
        "\"quoted, \"\"id\"\"\",\"two\r\nlines\",  \r\n"
        "\r\n"
        "\xE5\x8C\x97\xE5\xB1\xB1,\xFF\xFE,\t\n"
        "last,no,line break";
    CsvTable whole;
    readCsvRows(
        csv, [&](const std::vector<std::string>& header) { whole.header = header; },
        [&](const TableRow& row) { whole.rows.push_back(row); });
    ASSERT_EQ(whole.header, (std::vector<std::string>{"id", "name_A", "b1"}));
    ASSERT_EQ(whole.rows.size(), 4u);
    EXPECT_EQ(whole.rows[0].cells, (std::vector<std::string>{"  lead", " \t A \t ", "1.0"}));
    ASSERT_EQ(whole.rows[1].cells.size(), 3u);
    EXPECT_EQ(whole.rows[1].cells[0], "quoted, \"id\"");
    EXPECT_EQ(whole.rows[1].cells[1], "two\r\nlines");
    EXPECT_EQ(whole.rows[1].cells[2], "  ");
    EXPECT_EQ(whole.rows[2].cells, (std::vector<std::string>{"北山", "\xEF\xBF\xBD\xEF\xBF\xBD", "\t"}));
    EXPECT_EQ(whole.rows[3].cells[2], "line break");

    const auto readInPieces = [&](const std::vector<std::size_t>& cuts) {
        CsvTable table;
        CsvRowReader reader([&](const std::vector<std::string>& header) { table.header = header; },
                            [&](const TableRow& row) { table.rows.push_back(row); });
        std::size_t from = 0;
        for (const std::size_t cut : cuts) {
            reader.read(std::string_view(csv).substr(from, cut - from));
            from = cut;
        }
        reader.read(std::string_view(csv).substr(from));
        reader.finish();
        return table;
    };
    const auto expectSame = [&](const CsvTable& table, const std::string& how) {
        EXPECT_EQ(table.header, whole.header) << how;
        ASSERT_EQ(table.rows.size(), whole.rows.size()) << how;
        for (std::size_t i = 0; i < table.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].cells, whole.rows[i].cells) << how << " row " << i;
            EXPECT_EQ(table.rows[i].rowNumber, whole.rows[i].rowNumber) << how << " row " << i;
            EXPECT_EQ(table.rows[i].sheetRow, whole.rows[i].sheetRow) << how << " row " << i;
        }
    };
    for (std::size_t cut = 0; cut <= csv.size(); ++cut) expectSame(readInPieces({cut}), "cut at " + std::to_string(cut));
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 1; cut < csv.size(); ++cut) everyByte.push_back(cut);
    expectSame(readInPieces(everyByte), "a byte at a time");
}

TEST(Batch, AReceiverThatThrowsEndsTheReading) {
    int rows = 0;
    CsvRowReader reader([](const std::vector<std::string>&) {}, [&](const TableRow& row) {
        ++rows;
        if (row.rowNumber == 2) throw std::runtime_error("full");
    });
    EXPECT_THROW(reader.read("id\n1\n2\n3\n4\n"), std::runtime_error);
    EXPECT_EQ(rows, 2) << "no row after the one that failed";
    EXPECT_THROW(readCsvRows("id\n", [](const std::vector<std::string>&) { throw CampaignFileError("no"); },
                             [](const TableRow&) {}),
                 CampaignFileError);
    CsvRowReader markOnly([](const std::vector<std::string>&) {}, [](const TableRow&) {});
    markOnly.read("\xEF\xBB");
    markOnly.read("\xBF");
    EXPECT_THROW(markOnly.finish(), CampaignFileError) << "a byte-order mark alone is an empty file";
}

TEST(Batch, FilesThatAreNoCampaignAreRefusedWithTheReason) {
    EXPECT_THROW(readCsv(""), CampaignFileError);
    EXPECT_THROW(readCsv("\n\n"), CampaignFileError);
    try {
        ColumnMap({"xa", "ya", "xb", "yb", "colour", "xa"});
        FAIL();
    } catch (const CampaignFileError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.find("colour"), std::string::npos) << "a column of the surveyor's own is read past";
        EXPECT_NE(message.find("重复的列 \"xa\""), std::string::npos) << message;
        EXPECT_NE(message.find("缺少的列 \"name_A\""), std::string::npos) << message;
        EXPECT_EQ(message.find("\"Ta\""), std::string::npos) << "Ta may be left out";
    }
}

}  // namespace
}  // namespace morvalen::batch
