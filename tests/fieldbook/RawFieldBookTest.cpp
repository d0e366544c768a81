// Total-station raw files read as field books: every sample reads as the same book as its CSV twin, the distances
// are slope × sin(zenith) meaned, and a faulty file is refused at its line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>
#include <unistd.h>

#include "fieldbook/FieldBookFile.h"

namespace {

using namespace morvalen::fieldbook;
namespace fs = std::filesystem;
const std::string samples = std::string(MORVALEN_EXAMPLES_DIR) + "/../tests/fieldbook/raw/";

auto book(const std::vector<Pointing>& pointings) {
    std::vector<std::tuple<std::string, std::string, std::string, std::string, std::string>> rows;
    for (const Pointing& p : pointings) rows.emplace_back(p.station, p.round, p.target, p.left, p.right);
    return rows;
}

TEST(RawFieldBook, EverySampleIsTheBookOfItsCsvTwin) {
    const auto& limits = *morvalen::analysis::findDirectionMethodLimits("2");
    const std::vector<Pointing> twin = readFieldBook(samples + "quadrilateral.csv");
    const FieldBookReduction twinReduction = reduceFieldBook(twin, limits);
    const std::pair<const char*, std::size_t> cases[] = {
        // file, distances of A–P1 (the start direction: two faces, closing pointing, two rounds)
        {"gsi8-gon-metres-station-records.gsi", 8},   {"gsi8-dms-feet-code-blocks.gsi", 8},
        {"gsi16-degrees-tenth-mm-station-records.gsi", 8}, {"gsi16-mil-hundredth-mm-code-blocks.gsi", 8},
        {"gsi16-dms-feet-station-records.gsi", 8},    {"sdr33-degrees-metres.sdr", 8},
        {"sdr33-gon-feet.sdr", 8},                    {"sdr33-mil-metres.sdr", 8},
        {"gts7-dms-metres.raw", 8},                   {"gts7-gon-feet.raw", 4},  // HV lines in the second rounds
    };
    for (const auto& [file, startCount] : cases) {
        SCOPED_TRACE(file);
        const std::vector<Pointing> raw = readFieldBook(samples + file);
        EXPECT_EQ(book(raw), book(twin));
        const FieldBookReduction reduction = reduceFieldBook(raw, limits);
        EXPECT_EQ(reduction.angles, twinReduction.angles);
        ASSERT_EQ(reduction.distances.size(), 12u);  // four stations, three lines each
        EXPECT_EQ(reduction.distances[0].count, startCount);
        for (const LineDistance& line : reduction.distances) {
            // The true horizontal distances the samples were written from (the twin's distance column); the files
            // round the slope distance to their unit, and face II measured 1 mm longer.
            const std::map<std::set<std::string>, double> truth = {
                {{"A", "P1"}, 412.3456}, {{"A", "P2"}, 603.2871},  {{"A", "B"}, 455.0124},
                {{"P1", "P2"}, 398.7765}, {{"P1", "B"}, 590.4432}, {{"P2", "B"}, 421.9087}};
            EXPECT_NEAR(line.horizontal, truth.at({line.station, line.target}) + 0.0005, 0.0006)
                << line.station << "–" << line.target;
            EXPECT_NEAR(line.spread, 1.0, 1.0);  // each slope distance rounded by up to half a unit
        }
    }
}

class RawFile : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-raw-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    std::string refusal(const std::string& name, const std::string& text) {
        std::ofstream(folder / name) << text;
        try {
            readFieldBook(folder / name);
        } catch (const FieldBookError& refused) {
            return refused.what();
        }
        return "read";
    }
};

TEST_F(RawFile, RefusedAtTheLineWithTheReason) {
    const std::string sdrHeader = "00NMSDR33 V04-04.02 0000" + std::string(16, ' ') + "111111\n";
    const std::string field(16, ' ');
    const struct {
        const char* name;
        std::string text;
        const char* expected;
    } cases[] = {
        {"word.gsi", "110001+0000000A 88..10+0001550\n", "第 1 行：第 2 个字 \"88..10+0001550\" 有 14 个字符"},
        {"unit.gsi", "110001+0000000A 88..10+00001550\n110002+000000P1 21.109+00000636 22.102+09945957\n",
         "第 2 行：字 \"21.109+00000636\" 的单位代码 \"9\" 未知"},
        {"short.sdr", sdrHeader + "02TPA\n09F1A" + std::string(15, ' ') + "P1" + std::string(14, ' ') + "100.000",
         "第 3 行：\"09F1\" 记录不完整：第 53–68 列的天顶距是空的"},
        {"first.raw", "JOB  X\nSS   P1,1.6\nSD   0.0000,90.0000,100.000\n", "第 2 行：观测记录在任何测站记录之前"},
        {"alone.raw", "STN  A,1.5\nSS   P1,1.6\nSD   180.0000,270.0000,100.000\n",
         "第 3 行：盘右照准 \"P1\" 在本测回中没有对应的盘左照准"},
        {"flat.raw", "STN  A,1.5\nSS   P1,1.6\nHD   0.0000,100.000,1.000\n", "第 3 行：观测记录没有天顶距"},
        {"unmeasured.raw", "STN  A,1.5\nSS   P1,1.6\nSS   P2,1.6\n", "第 2 行：SS 记录之后缺少 HV、SD 或 HD 测量行"},
        {"faces.sdr", sdrHeader + "02TPA\n09F2A" + field.substr(1) + "P1" + field.substr(2) + "100.000" +
                          field.substr(7) + "90.0000" + field.substr(7) + "0.0000\n",
         "第 3 行：\"09F2\" 记录的天顶距与盘位不符"},
        {"units.raw", "UNITS M,X\n", "第 1 行：角度单位 \"X\" 未知"},
        {"named.sdr", "110001+0000000A 88..10+00001550\n", "文件的内容是 Leica GSI，扩展名 \".sdr\" 却是 Sokkia SDR33 的"},
    };
    for (const auto& c : cases) EXPECT_NE(refusal(c.name, c.text).find(c.expected), std::string::npos) << refusal(c.name, c.text);
}

// Slope distance × sin(zenith), face II's zenith beyond 180°, meaned over both faces: 500 m and 500.002 m at 80° give
// 492.4039 m and 492.4058 m.
TEST_F(RawFile, DistancesMeanedOverBothFaces) {
    std::ofstream(folder / "line.raw") << "STN  A,1.5\nSS   P1,1.6\nSD   0.0000,80.0000,500.000\n"
                                       << "SS   P1,1.6\nSD   180.0010,280.0000,500.002\n";
    const std::vector<Pointing> pointings = readFieldBook(folder / "line.raw");
    ASSERT_EQ(pointings.size(), 1u);
    EXPECT_EQ(pointings[0].right, "180.00100");
    EXPECT_EQ(pointings[0].distance, "492.4049");
    const std::vector<LineDistance> lines = lineDistances(pointings);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, 2u);
    EXPECT_NEAR(lines[0].spread, 1.97, 0.005);
}

}  // namespace
