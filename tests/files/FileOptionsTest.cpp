// morvalen-cli --observations, --save-observations and --export as whole processes: outputs and exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "support/ProgramRun.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string output;
};

Outcome run(const std::string& arguments) {
    const auto ran = morvalen::testing::runShellCommand(std::string(MORVALEN_CLI_PATH) + " " + arguments + " 2>/dev/null");
    return {ran.exitStatus, ran.output};
}

class FileOptions : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-file-options-" + std::to_string(::getpid()));
    std::string campaign = std::string(MORVALEN_EXAMPLES_DIR) + "/campaign.csv";
    std::string at(const std::string& name) const { return "'" + (folder / name).string() + "'"; }
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

// A row answers the same prompts as the typed replies and gives the same document; saved and opened again, the
// typed run gives it once more.
TEST_F(FileOptions, RowAnswersTheSamePromptsAsTypedReplies) {
    const std::string replies = std::string(MORVALEN_EXAMPLES_DIR) + "/azimuth.replies";
    const Outcome typed = run("--json --save-observations " + at("saved.csv") + " < " + replies);
    ASSERT_EQ(typed.status, 0);
    const Outcome fromFile = run("--json --observations " + at("saved.csv") + " --row 1 < /dev/null");
    ASSERT_EQ(fromFile.status, 0);
    EXPECT_EQ(nlohmann::json::parse(typed.output), nlohmann::json::parse(fromFile.output));
    const auto document = nlohmann::json::parse(run("--json --observations '" + campaign + "' --row 'Q2 azimuth'").output);
    EXPECT_EQ(document["prompts"].size(), 42u);
    EXPECT_EQ(document["fields"]["Text11"], " 1/300111");
}

TEST_F(FileOptions, BadInputGetsItsExitStatusAndWritesNothing) {
    std::ofstream(folder / "short.csv") << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,"
                                           "b8\nr1,1,2\n";
    EXPECT_EQ(run("--observations " + at("missing.csv")).status, 5);
    EXPECT_EQ(run("--observations '" + campaign + "' --row nothing").status, 5);
    EXPECT_EQ(run("--observations " + at("short.csv")).status, 5);
    EXPECT_EQ(run("--observations '" + campaign + "' --export " + at("no/such/folder.xlsx")).status, 4);
    EXPECT_EQ(run("--observations '" + campaign + "' --export " + at("out.pdf")).status, 4);
    EXPECT_EQ(run("--export " + at("out.csv") + " < /dev/null").status, 3) << "the run stops at b(1)";
    EXPECT_EQ(run("--row 1 < /dev/null").status, 2);
    EXPECT_EQ(run("--save-observations " + at("nothing.csv") + " < /dev/null").status, 3) << "stopped, nothing kept";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_EQ(run("--observations '" + campaign + "' --row 'Q4 diagonal start' --export " + at("out.dxf")).status, 0);
    EXPECT_TRUE(fs::exists(folder / "out.dxf"));
}

}  // namespace
