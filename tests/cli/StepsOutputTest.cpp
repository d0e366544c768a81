// --steps on the terminal: the JSON object "steps" as a contract, and every other output as it is without it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;
using namespace morvalen::testing;

std::string cli(const std::vector<std::string>& replies, const std::string& arguments) {
    // One file a test, since the tests of this program may run at the same time.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path input = fs::temp_directory_path() / ("morvalen-steps-" + test + ".replies");
    std::ofstream file(input, std::ios::binary);
    for (const std::string& reply : replies) file << reply << '\n';
    file.close();
    const auto outcome = runProgram(MORVALEN_CLI_PATH, arguments, input);
    fs::remove(input);
    return outcome.output;
}

std::vector<std::string> knownSide(const std::vector<std::string>& angles) {
    return confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles);
}
std::vector<std::string> azimuthCase() {
    return confirmedEach(azimuthCoordinates) + confirmedEach({"130.8625", "1", "200.0000", "153.2505"}) +
           confirmedEach(azimuthNames) + confirmedEach(workedAngles);
}

std::vector<std::string> keysOf(const json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

TEST(StepsOutput, TheJsonKeysAndTheirShapesAreAContract) {
    for (const auto& replies : {knownSide(workedAngles), azimuthCase()}) {
        const json steps = json::parse(cli(replies, "--steps --json"))["steps"];
        using Keys = std::vector<std::string>;
        EXPECT_EQ(keysOf(steps), (Keys{"first_group", "pole", "weight_function", "second_group", "after_adjustment",
                                       "coordinates"}));
        EXPECT_EQ(keysOf(steps["first_group"]), (Keys{"shares_sec", "angles_deg", "square_sum"}));
        EXPECT_EQ(keysOf(steps["pole"]), (Keys{"coefficients", "log_sine_sums"}));
        EXPECT_EQ(keysOf(steps["weight_function"]), (Keys{"route_strengths", "route"}));
        EXPECT_EQ(keysOf(steps["second_group"]),
                  (Keys{"rows", "normal", "det", "correlates", "q", "corrections_sec", "square_sum"}));
        EXPECT_EQ(keysOf(steps["after_adjustment"]), (Keys{"closures_sec"}));
        EXPECT_EQ(keysOf(steps["coordinates"]),
                  (Keys{"case", "start", "azimuths_deg", "side_chain", "sides_m", "traverse"}));
        const std::pair<json, std::size_t> sizes[] = {
            {steps["first_group"]["shares_sec"], 2},     {steps["first_group"]["angles_deg"], 8},
            {steps["pole"]["coefficients"], 8},          {steps["pole"]["log_sine_sums"], 2},
            {steps["weight_function"]["route_strengths"], 2}, {steps["second_group"]["rows"], 3},
            {steps["second_group"]["rows"][2], 8},       {steps["second_group"]["normal"], 3},
            {steps["second_group"]["normal"][0], 3},     {steps["second_group"]["correlates"], 2},
            {steps["second_group"]["q"], 2},             {steps["second_group"]["corrections_sec"], 8},
            {steps["after_adjustment"]["closures_sec"], 4},
        };
        for (const auto& [array, size] : sizes) EXPECT_EQ(array.size(), size) << array.dump();
        for (const json& closure : steps["after_adjustment"]["closures_sec"]) {
            EXPECT_NEAR(closure.get<double>(), 0, 0.01);
        }
    }
    const json azimuth = json::parse(cli(azimuthCase(), "--steps --json"))["steps"];
    EXPECT_EQ(azimuth["weight_function"]["route"], "azimuth");
    EXPECT_EQ(azimuth["coordinates"]["case"], "azimuth");
    EXPECT_EQ(azimuth["coordinates"]["traverse"]["x_m"].size(), 5u);
    EXPECT_EQ(json::parse(cli(knownSide(workedAngles), "--steps --json"))["steps"]["weight_function"]["route"], "2");
}

TEST(StepsOutput, AStoppedRunGivesNullForTheStagesItDidNotReach) {
    // b(5) of 200° in a closing triangle: the run stops at the logarithm of its sine.
    const json document = json::parse(cli(
        knownSide({"44.13120", "44.20042", "49.18030", "42.08428", "200", "-10", "-5", "-5"}), "--steps --json"));
    ASSERT_FALSE(document["stopped"].is_null());
    const json& steps = document["steps"];
    EXPECT_EQ(steps["first_group"]["angles_deg"].size(), 8u);
    for (const char* key : {"pole", "weight_function", "second_group", "after_adjustment", "coordinates"}) {
        EXPECT_TRUE(steps[key].is_null()) << key;
    }
}

TEST(StepsOutput, WithoutStepsEveryOutputIsAsItWas) {
    for (const auto& replies : {knownSide(workedAngles), azimuthCase()}) {
        json withSteps = json::parse(cli(replies, "--steps --json"));
        withSteps.erase("steps");
        EXPECT_EQ(withSteps.dump(), json::parse(cli(replies, "--json")).dump());
        const std::string plain = cli(replies, "");
        const std::string text = cli(replies, "--steps");
        EXPECT_EQ(text.substr(0, plain.size()), plain);
        // Windows ends the lines of a text console's output with CR LF.
        const std::string newline = plain.find("\r\n") == std::string::npos ? "\n" : "\r\n";
        const std::string heading = newline + "== 计算过程 ==" + newline;
        EXPECT_EQ(text.substr(plain.size(), heading.size()), heading);
    }
}

}  // namespace
