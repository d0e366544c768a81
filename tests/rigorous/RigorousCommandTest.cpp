// morvalen-cli --field-book BOOK --rigorous as a whole process: the keys of "rigorous", the datum of either case,
// the listing's section, and the options refused.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include "support/ProgramRun.h"

namespace {

const std::string examples = MORVALEN_EXAMPLES_DIR;

morvalen::testing::ProgramOutcome cli(const std::string& arguments, const std::string& replies,
                                      const std::string& streams = "2>/dev/null") {
    return morvalen::testing::runShellCommand(std::string(MORVALEN_CLI_PATH) + " " + arguments + " < '" + examples +
                                              "/" + replies + "' " + streams);
}

std::vector<std::string> keysOf(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

TEST(RigorousCommand, JsonOfTheKnownSideExample) {
    const auto ran = cli("--json --rigorous --field-book '" + examples + "/field-book-distances.csv'", "known-side.replies");
    ASSERT_EQ(ran.exitStatus, 0);
    const auto rigorous = nlohmann::ordered_json::parse(ran.output).at("rigorous");
    EXPECT_EQ(keysOf(rigorous), (std::vector<std::string>{"stations", "sigma0", "dof", "global_test", "observations",
                                                          "differences_mm"}));
    EXPECT_EQ(keysOf(rigorous["stations"][0]), (std::vector<std::string>{"name", "x", "y", "sx_mm", "sy_mm", "fixed"}));
    EXPECT_EQ(keysOf(rigorous["observations"][0]),
              (std::vector<std::string>{"kind", "station", "target", "round", "residual", "redundancy", "w"}));
    EXPECT_EQ(rigorous["stations"][3], nlohmann::ordered_json::parse(
        R"({"name": "B", "x": 1010.0, "y": 1175.0, "sx_mm": 0.0, "sy_mm": 0.0, "fixed": true})"));
    // 24 directions and 6 distances; 8 coordinates and 8 orientations less the 4 held coordinates.
    EXPECT_EQ(rigorous["dof"], 30 - 16 + 4);
    EXPECT_EQ(rigorous["observations"].size(), 30u);
    EXPECT_EQ(rigorous["observations"][0]["kind"], "direction");
    EXPECT_EQ(rigorous["observations"][1]["kind"], "distance");
    EXPECT_EQ(rigorous["differences_mm"].size(), 2u);
    for (const auto& difference : rigorous["differences_mm"]) {
        EXPECT_LT(std::hypot(difference["dx"].get<double>(), difference["dy"].get<double>()), 5.0) << difference;
    }
}

// The azimuth case holds A and the azimuth of A–P1; with no distance, the start side S(1) gives the scale, so P1
// keeps its classical place along the held azimuth and length.
TEST(RigorousCommand, AzimuthCaseHoldsTheStartSide) {
    // The example's book names its fourth station B; the azimuth replies name it P3.
    const auto ran = cli("--json --rigorous --sigma-direction 1.5 --field-book '" + examples + "/field-book.csv'",
                         "azimuth.replies", "2>&1");
    ASSERT_EQ(ran.exitStatus, 3) << "the book's stations differ from the names typed";
    const auto named = morvalen::testing::runShellCommand(
        "sed 's/^P3$/B/' '" + examples + "/azimuth.replies' | " + std::string(MORVALEN_CLI_PATH) +
        " --json --rigorous --sigma-direction 1.5 --field-book '" + examples + "/field-book.csv' 2>/dev/null");
    ASSERT_EQ(named.exitStatus, 0);
    const auto document = nlohmann::ordered_json::parse(named.output);
    const auto& rigorous = document.at("rigorous");
    EXPECT_EQ(rigorous["dof"], 12);
    EXPECT_TRUE(rigorous["stations"][0]["fixed"]);
    EXPECT_FALSE(rigorous["stations"][3]["fixed"]);
    ASSERT_EQ(rigorous["differences_mm"].size(), 3u);
    EXPECT_LT(std::abs(rigorous["differences_mm"][0]["dx"].get<double>()), 0.05) << "P1 is held by Ta + Qa and S(1)";
}

TEST(RigorousCommand, ListingAndRefusals) {
    const auto listed = cli("--rigorous --field-book '" + examples + "/field-book-distances.csv'", "known-side.replies");
    EXPECT_NE(listed.output.find("--- 严密平差（方向与距离，间接平差）---"), std::string::npos);
    EXPECT_NE(listed.output.find("两者之差来自模型"), std::string::npos);
    for (const char* arguments : {"--rigorous", "--sigma-direction 2", "--rigorous --field-book x.csv --distance-sigma 2",
                                  "--rigorous --field-book x.csv --distance-sigma -1,2",
                                  "--rigorous --field-book x.csv --sigma-direction 0"}) {
        EXPECT_EQ(cli(arguments, "known-side.replies").exitStatus, 2) << arguments;
    }
    // A run that stops gives no rigorous adjustment: "rigorous" is null.
    const auto mixed = cli("--json --rigorous --field-book '" + examples + "/field-book.csv'", "mixed.replies");
    EXPECT_TRUE(nlohmann::ordered_json::parse(mixed.output).at("rigorous").is_null());
}

// A campaign row names its field book relative to the campaign's folder; the book gives its empty angle cells, and
// --rigorous adds the columns of the rigorous adjustment (a reason where there is none).
TEST(RigorousCommand, BatchRowsWithTheirFieldBooks) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvalen-rigorous-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "books");
    std::filesystem::copy_file(examples + "/field-book-distances.csv", folder / "books" / "q1.csv",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder / "campaign.csv")
        << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8,field_book\n"
        << "book,1000,1000,1010,1175,A,P1,P2,B,,,,,,,,,books/q1.csv\n"
        << "none,1000,1000,1010,1175,A,P1,P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520,\n";
    const auto ran = morvalen::testing::runShellCommand(std::string(MORVALEN_CLI_PATH) + " batch '" +
                                                        (folder / "campaign.csv").string() + "' --json --rigorous 2>&1");
    std::istringstream lines(ran.output);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    const auto book = nlohmann::json::parse(first), none = nlohmann::json::parse(second);
    EXPECT_EQ(ran.exitStatus, 0) << ran.output;
    EXPECT_EQ(book["mb"], none["mb"]) << "the book gives the angles of the row typed in full";
    EXPECT_TRUE(book["stop"].is_null());
    EXPECT_EQ(book["rigorous_dof"], "18");
    EXPECT_EQ(book["rigorous_note"], "");
    EXPECT_EQ(none["rigorous_dof"], "");
    EXPECT_EQ(none["rigorous_note"], "这一行没有观测手簿");
    std::filesystem::remove_all(folder);
}

}  // namespace
