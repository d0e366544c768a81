// morvalen-cli batch as a whole process: every row answered, in order, whatever stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <sys/wait.h>

#include "files/CsvFile.h"
#include "support/RandomQuadrilateral.h"

namespace {

namespace fs = std::filesystem;

int run(const std::string& arguments) {
    const int status = std::system((std::string(MORVALEN_CLI_PATH) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class BatchCommand : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-batch-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

// Fifteen hundred quadrilaterals, a file read in several pieces, with every seventh row broken in one of
// several ways.
std::string campaign() {
    std::mt19937 random(3);
    std::string csv = "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\n";
    for (int i = 1; i <= 1500; ++i) {
        const auto figure = morvalen::testing::randomQuadrilateral(random, 3.0);
        std::string row = "R" + std::to_string(i) + ",1000,2000,";
        row += i % 7 == 0 ? "0,1500" : "1300,2400";  // mixed case: adjusted, then stopped
        row += ",甲,\"乙,一\",丙,丁";
        for (int k = 1; k <= 8; ++k) {
            const double degrees = figure.angles[k];
            const int whole = static_cast<int>(degrees);
            const double minutes = (degrees - whole) * 60;
            char packed[32];
            std::snprintf(packed, sizeof packed, "%d.%02d%02d", whole, static_cast<int>(minutes),
                          static_cast<int>((minutes - static_cast<int>(minutes)) * 60));
            row += ",";
            row += i % 11 == 0 && k == 3 ? "4O.1" : packed;
        }
        if (i % 13 == 0) row = "R" + std::to_string(i) + ",too,short";
        csv += row + "\n";
    }
    return csv;
}

TEST_F(BatchCommand, EveryRowGetsItsResultInInputOrder) {
    std::ofstream(folder / "in.csv", std::ios::binary) << campaign();
    EXPECT_EQ(run("batch '" + (folder / "in.csv").string() + "' -o '" + (folder / "out.csv").string() + "'"), 3);
    const auto table = morvalen::files::readCsv(readFile(folder / "out.csv"));
    ASSERT_EQ(table.rows.size(), 1500u);
    const auto stop = table.header.size() - 1;
    const auto nameOfP1 = static_cast<std::size_t>(
        std::find(table.header.begin(), table.header.end(), "name_1") - table.header.begin());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const auto& cells = table.rows[i].cells;
        const std::size_t number = i + 1;
        EXPECT_EQ(cells[0], std::to_string(number));
        EXPECT_EQ(cells[1], "R" + std::to_string(number));
        const bool broken = number % 7 == 0 || number % 11 == 0 || number % 13 == 0;
        EXPECT_EQ(cells[stop].empty(), !broken) << number << ": " << cells[stop];
        if (!broken) {
            EXPECT_EQ(cells[nameOfP1], "乙,一") << "the name of P1 as typed";
        }
    }
}

TEST_F(BatchCommand, JsonLinesAndReportsPerCompletedRow) {
    const std::string csv =
        "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\n"
        "ok,1000,1000,1010,1175,A,P1,P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520\n"
        "stops,1000,1000,1010,0,A,P1,P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520\n";
    std::ofstream(folder / "in.csv", std::ios::binary) << csv;
    EXPECT_EQ(run("batch --json '" + (folder / "in.csv").string() + "' -o '" + (folder / "out.jsonl").string() +
                  "' --pdf '" + (folder / "reports").string() + "'"),
              3);
    std::istringstream lines(readFile(folder / "out.jsonl"));
    std::string line;
    std::vector<nlohmann::json> rows;
    while (std::getline(lines, line)) rows.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["relative_error"], "1/282331");
    EXPECT_TRUE(rows[0]["stop"].is_null());
    EXPECT_NE(rows[1]["stop"].get<std::string>().find("恰有一个为零"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder / "reports" / "00001-ok.pdf"));
    EXPECT_FALSE(fs::exists(folder / "reports" / "00002-stops.pdf")) << "a stopped computation is not printed";
}

TEST_F(BatchCommand, GradeAddsTheColumnsOfTheChecksAndTheirPage) {
    // The worked example, then the same with b(3) 15″ too large, then a row that stops.
    const std::string csv =
        "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\n"
        "ok,1000,1000,1010,1175,A,P1,P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520\n"
        "blunder,1000,1000,1010,1175,A,P1,P2,B,44.13120,44.20042,49.18180,42.08428,33.10401,55.22345,54.03519,"
        "37.22520\n"
        "stops,1000,1000,1010,0,A,P1,P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520\n";
    std::ofstream(folder / "in.csv", std::ios::binary) << csv;
    const std::string input = "'" + (folder / "in.csv").string() + "'";
    ASSERT_EQ(run("batch " + input + " -o '" + (folder / "plain.csv").string() + "'"), 3);
    ASSERT_EQ(run("batch " + input + " --grade 二等 -o '" + (folder / "checked.csv").string() + "' --pdf '" +
                  (folder / "reports").string() + "'"),
              3);
    const auto plain = morvalen::files::readCsv(readFile(folder / "plain.csv"));
    const auto checked = morvalen::files::readCsv(readFile(folder / "checked.csv"));
    const std::vector<std::string> added = {"check_triangle_1234", "check_triangle_5678", "check_triangle_1278",
                                            "check_triangle_3456", "check_pole", "check_mb", "check_weakest_side",
                                            "suspects", "max_standardized", "checks", "mp_1", "mp_2", "mp_3"};
    ASSERT_EQ(checked.header.size(), plain.header.size() + added.size());
    EXPECT_TRUE(std::equal(plain.header.begin(), plain.header.end(), checked.header.begin()));
    EXPECT_TRUE(std::equal(added.begin(), added.end(), checked.header.begin() + plain.header.size()));
    ASSERT_EQ(checked.rows.size(), 3u);
    const auto cell = [&](std::size_t row, const std::string& column) {
        const auto at = std::find(checked.header.begin(), checked.header.end(), column) - checked.header.begin();
        return checked.rows[row].cells.at(static_cast<std::size_t>(at));
    };
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_TRUE(std::equal(plain.rows[row].cells.begin(), plain.rows[row].cells.end(),
                               checked.rows[row].cells.begin()));
    }
    EXPECT_EQ(cell(0, "checks"), "合格");
    EXPECT_EQ(cell(0, "check_weakest_side"), "合格");
    EXPECT_EQ(cell(0, "max_standardized"), "0.99");  // 0.40 of σ 2.5″ is 0.99 of σ 1″
    EXPECT_EQ(cell(1, "check_triangle_1234"), "超限");
    EXPECT_EQ(cell(1, "check_triangle_5678"), "合格");
    EXPECT_EQ(cell(1, "suspects"), "3");  // σ 1″ of the grade: 15″ in b(3) is found
    EXPECT_EQ(cell(1, "checks"), "超限");
    EXPECT_EQ(cell(2, "checks"), "");
    EXPECT_EQ(cell(0, "mp_1"), "1.37");  // P1 of the worked example with σ 1″
    EXPECT_EQ(cell(0, "mp_3"), "") << "no P3 in the known-side case";
    EXPECT_EQ(cell(2, "mp_1"), "");
    const std::string pages = "pdfinfo '" + (folder / "reports" / "00001-ok.pdf").string() + "' | grep -q 'Pages: *4'";
    EXPECT_EQ(std::system(pages.c_str()), 0) << "the report's page, the page of its checks, the precision's and the plot";
}

TEST_F(BatchCommand, AFileThatIsNoCampaignIsRefused) {
    std::ofstream(folder / "empty.csv", std::ios::binary) << "";
    EXPECT_EQ(run("batch '" + (folder / "empty.csv").string() + "'"), 5);
    std::ofstream(folder / "wrong.csv", std::ios::binary) << "x,y\n1,2\n";
    EXPECT_EQ(run("batch '" + (folder / "wrong.csv").string() + "'"), 5);
    EXPECT_EQ(run("batch '" + (folder / "missing.csv").string() + "'"), 5);
    EXPECT_EQ(run("batch '" + folder.string() + "'"), 5) << "a folder is no file to read";
    EXPECT_EQ(run("batch"), 2);
}

}  // namespace
