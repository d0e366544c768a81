// morvalen-cli reduce and --field-book as whole processes: the example's angles, the JSON keys, bad field books.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "support/ProgramRun.h"

namespace {

namespace fs = std::filesystem;
const std::string examples = MORVALEN_EXAMPLES_DIR;

struct Outcome {
    int status = -1;
    std::string output;
    bool operator==(const Outcome&) const = default;
};

// `streams` picks what is kept: "2>/dev/null" for stdout, "2>&1 >/dev/null" for stderr.
Outcome run(const std::string& arguments, const std::string& streams = "2>/dev/null") {
    const auto ran = morvalen::testing::runShellCommand(std::string(MORVALEN_CLI_PATH) + " " + arguments + " " + streams);
    return {ran.exitStatus, ran.output};
}

std::string fileText(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

class ReduceCommand : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-reduce-" + std::to_string(::getpid()));
    std::string book = examples + "/field-book.csv";
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

// The example field book gives the angles of examples/known-side.replies, and answering the angle prompts from it
// gives the same document as typing them.
TEST_F(ReduceCommand, ExampleGivesTheKnownSideAngles) {
    std::ifstream replies(examples + "/known-side.replies");
    std::vector<std::string> typed;
    for (std::string line; std::getline(replies, line);) if (!line.empty()) typed.push_back(line);
    const std::vector<std::string> angles(typed.end() - 8, typed.end());

    const Outcome reduced = run("reduce '" + book + "' --json");
    ASSERT_EQ(reduced.status, 0);
    const auto document = nlohmann::ordered_json::parse(reduced.output);
    EXPECT_EQ(document["angles"].get<std::vector<std::string>>(), angles);
    std::vector<std::string> keys;
    for (const auto& [key, value] : document.items()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"instrument", "stations", "checks", "lines", "angles", "distances"}));
    EXPECT_TRUE(document["distances"].empty()) << "a CSV book without distances";
    const auto& station = document["stations"][3];
    EXPECT_EQ(station["name"], "B");
    EXPECT_TRUE(station["rounds"][0]["closure_sec"].is_null()) << "three directions, no 归零";
    EXPECT_EQ(station["rounds"][0]["pointings"][0].size(), 6u);
    EXPECT_EQ(station["directions"][1], nlohmann::ordered_json::parse(
                                            R"({"target": "P1", "mean": "54.03519", "round_spread_sec": 0.4})"));
    EXPECT_EQ(document["checks"][0], nlohmann::ordered_json::parse(R"({"station": "A", "round": 1, "kind": "closure",
                                         "value_sec": 2.6, "limit_sec": 8.0, "ok": true, "applicable": true})"));
    EXPECT_EQ(document["checks"].back()["kind"], "round_spread");

    const std::string knownSide = examples + "/known-side.replies";
    EXPECT_EQ(run("--json --field-book '" + book + "' < '" + knownSide + "'").output,
              run("--json < '" + knownSide + "'").output);
}

// A raw file reduces with its distances, and the CSV it is saved as reduces to the same angles; the book read is
// never replaced.
TEST_F(ReduceCommand, RawFileGivesItsDistancesAndSavesItsBookAsCsv) {
    const std::string raw = examples + "/../tests/fieldbook/raw/gsi8-gon-metres-station-records.gsi";
    const fs::path saved = folder / "book.csv";
    const Outcome reduced = run("reduce '" + raw + "' --json --save-field-book '" + saved.string() + "'");
    ASSERT_EQ(reduced.status, 0);
    const auto document = nlohmann::ordered_json::parse(reduced.output);
    EXPECT_EQ(document["distances"][0], nlohmann::ordered_json::parse(R"({"station": "A", "target": "P1", "n": 8,
                                            "horizontal_m": 412.3461, "spread_mm": 1.9})"));
    EXPECT_TRUE(fileText(saved).starts_with(
        "\xEF\xBB\xBFstation,round,target,left,right,distance,slope_left,zenith_left,slope_right,zenith_right,"
        "target_height,instrument_height\r\nA,1,P1,0.00206,180.00128,412.3461,412.3600,89.30490,412.3620,270.29150,"
        "1.6000,1.5500\r\n"));
    EXPECT_EQ(nlohmann::ordered_json::parse(run("reduce '" + saved.string() + "' --json").output)["angles"],
              document["angles"]);
    EXPECT_EQ(run("reduce '" + raw + "' --save-field-book '" + raw + "'").status, 4);
}

// The angles kept in the row of a campaign whose angles are missing: that row then computes as typed.
TEST_F(ReduceCommand, SavedAnglesFillTheCampaignRow) {
    std::ofstream(folder / "campaign.csv")
        << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\r\n"
        << "north,1000,1000,1010,1175,,,,,,,,,,,,\r\n";
    const std::string campaign = (folder / "campaign.csv").string();
    ASSERT_EQ(run("reduce '" + book + "' --save-observations '" + campaign + "' --row north").status, 0);
    const Outcome fromRow = run("--json --observations '" + campaign + "' --row north < /dev/null");
    const Outcome typed = run("--json < '" + examples + "/known-side.replies'");
    EXPECT_EQ(nlohmann::json::parse(fromRow.output)["fields"], nlohmann::json::parse(typed.output)["fields"]);
    EXPECT_NE(fileText(campaign).find("\r\nnorth,1000,1000,1010,1175,A,P1,P2,B,44.13120,"), std::string::npos);
}

// Every bad field book: exit 5, nothing on stdout, a message naming the spreadsheet row.
TEST_F(ReduceCommand, BadFieldBooksNameTheirRow) {
    struct Case {
        const char* what;
        std::size_t line;         // the file's line to replace (1 is the header); "" drops it, "swap" swaps it with the next
        const char* replacement;
        const char* message;
    };
    const Case cases[] = {
        {"a station left out for another target", 3, "A,1,P9,44.13315,224.13241", "第 2 行：测站 \"A\" 第 1 测回没有照准 \"P2\""},
        {"a missing face", 4, "A,1,B,81.36254,", "第 4 行：缺少盘右读数"},
        {"minutes of 60", 5, "A,1,P1,0.60200,180.00154", "第 5 行：盘左读数 \"0.60200\""},
        {"seconds of 60", 10, "P1,1,P2,0.00138,180.00600", "第 10 行：盘右读数"},
        {"two targets", 28, "", "第 26 行：测站 \"B\" 第 1 测回没有照准 \"P2\""},
        {"a target twice", 16, "P1,2,P2,183.39104,3.39176", "第 16 行：测站 \"P1\" 第 2 测回两次照准 \"P2\""},
        {"rounds that differ", 29, "swap", "第 29 行：测站 \"B\" 第 2 测回的目标与第 1 测回不同"},
        {"a round that is no number", 2, "A,一,P1,0.00206,180.00128", "第 2 行：测回 \"一\""},
    };
    std::vector<std::string> lines;
    std::ifstream original(book);
    for (std::string line; std::getline(original, line);) lines.push_back(line);
    for (const Case& c : cases) {
        std::vector<std::string> edited = lines;
        if (std::string(c.replacement) == "swap") std::swap(edited[c.line - 1], edited[c.line]);
        else if (*c.replacement) edited[c.line - 1] = c.replacement;
        else edited.erase(edited.begin() + static_cast<std::ptrdiff_t>(c.line - 1));
        std::ofstream file(folder / "book.csv");
        for (const std::string& line : edited) file << line << '\n';
        file.close();
        const std::string arguments = "reduce '" + (folder / "book.csv").string() + "'";
        EXPECT_EQ(run(arguments), (Outcome{5, ""})) << c.what;
        EXPECT_NE(run(arguments, "2>&1 >/dev/null").output.find(c.message), std::string::npos) << c.what;
    }
    // The figure named counter-clockwise.
    EXPECT_EQ(run("reduce '" + book + "' --stations B,P2,P1,A").status, 5);
    EXPECT_EQ(run("reduce '" + book + "' --stations A,P1,P2").status, 2);
}

// A book of one round at B reduces: its spread over the rounds is not applicable, and B has no μ. The distances
// measured are listed by line, both ends together.
TEST_F(ReduceCommand, OneRoundAndDistances) {
    const std::map<std::string, std::string> distances = {{"A,1,P1,0.00206,180.00128", "130.8631"},
                                                          {"A,2,P1,90.03423,270.03373", "130.8627"},
                                                          {"P1,1,A,93.38220,273.38310", "130.8620"}};
    std::istringstream original(fileText(book).substr(0, fileText(book).find("B,2,A")));
    std::string text;
    for (std::string line; std::getline(original, line);) {
        text += line + (text.empty() ? ",distance" : "," + (distances.contains(line) ? distances.at(line) : "")) + "\n";
    }
    std::ofstream(folder / "one-round.csv") << text;
    const Outcome reduced = run("reduce '" + (folder / "one-round.csv").string() + "' --json");
    ASSERT_EQ(reduced.status, 0) << text;
    const auto document = nlohmann::ordered_json::parse(reduced.output);
    EXPECT_EQ(document["checks"].back(), nlohmann::ordered_json::parse(R"({"station": "B", "round": null,
        "kind": "round_spread", "value_sec": 0.0, "limit_sec": 9.0, "ok": true, "applicable": false})"));
    EXPECT_TRUE(document["stations"][3]["sigma_sec"].is_null());
    EXPECT_EQ(document["lines"], nlohmann::ordered_json::parse(R"([{"from": "A", "to": "P1", "count": 3,
        "mean_m": 130.8626, "spread_mm": 1.1}])"));
    const std::string listing = run("reduce '" + (folder / "one-round.csv").string() + "'").output;
    EXPECT_NE(listing.find("不适用"), std::string::npos);
    EXPECT_NE(listing.find("A–P1 测 3 次"), std::string::npos);
    for (const char* cell : {"22O.5", "0", "-130.9"}) {  // no number, no length: refused with row and column
        std::ofstream(folder / "bad.csv") << std::string(text).replace(text.find("130.8627"), 8, cell);
        EXPECT_NE(run("reduce '" + (folder / "bad.csv").string() + "'", "2>&1 >/dev/null").output.find(
                      "第 6 行：distance 列的 \"" + std::string(cell) + "\""), std::string::npos) << cell;
    }
}

}  // namespace
