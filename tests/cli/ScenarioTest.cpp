// Whole runs of the terminal front end, one scenario file each: the replies a surveyor types, then what the run
// must show. Adding a case is adding a file to tests/scenarios.
//
//   # comment lines at the top
//   --- replies
//   1000            one reply per line, exactly as typed (an empty line is Enter on an empty input line)
//   --- expect
//   exit 0
//   prompts 32
//   prompt 9 = "输入起始点 A 点的点名 :"
//   field Text15 = " 2.00 秒"          (arrays: Text13(3))
//   caption Label18(0) = " Ya"
//   stop null                           or: stop ~ "part of the message"
//   report null                         or: report present
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "support/ProgramRun.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Scenario {
    std::string replies;
    std::vector<std::string> expectations;
};

Scenario readScenario(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    Scenario scenario;
    std::string line;
    enum { header, replies, expect } section = header;
    while (std::getline(file, line)) {
        if (line == "--- replies") section = replies;
        else if (line == "--- expect") section = expect;
        else if (section == replies) scenario.replies += line + "\n";
        else if (section == expect && !line.empty() && line[0] != '#') scenario.expectations.push_back(line);
    }
    return scenario;
}

struct CliResult {
    int exitStatus = -1;
    json document;
};

CliResult runCli(const std::string& replies, const std::string& name) {
    // A file of this run's own: another checkout's tests may run the same scenario at the same time.
    const fs::path input = fs::temp_directory_path() / ("morvalen-" + name + std::to_string(::getpid()) + ".replies");
    std::ofstream(input, std::ios::binary) << replies;
    const auto outcome = morvalen::testing::runProgram(MORVALEN_CLI_PATH, "--json", input);
    fs::remove(input);
    CliResult result;
    result.exitStatus = outcome.exitStatus;
    if (!json::accept(outcome.output)) ADD_FAILURE() << "no JSON document; exit status " << outcome.exitStatus;
    result.document = json::parse(outcome.output);
    return result;
}

// The text of a field by name, "Text13(3)" for an element of an array.
json fieldText(const json& fields, const std::string& name) {
    const auto open = name.find('(');
    if (open == std::string::npos) return fields.at(name);
    return fields.at(name.substr(0, open)).at(std::stoul(name.substr(open + 1)));
}

// The quoted value behind "=" or "~".
std::string quotedValue(const std::string& line) {
    return json::parse(line.substr(line.find_first_of("=~") + 1)).get<std::string>();
}

void check(const CliResult& result, const std::string& line) {
    std::istringstream words(line);
    std::string keyword, argument;
    words >> keyword >> argument;
    const json& document = result.document;
    if (keyword == "exit") {
        EXPECT_EQ(result.exitStatus, std::stoi(argument)) << line;
    } else if (keyword == "prompts") {
        EXPECT_EQ(document.at("prompts").size(), std::stoul(argument)) << line;
    } else if (keyword == "prompt") {
        EXPECT_EQ(document.at("prompts").at(std::stoul(argument) - 1).get<std::string>(), quotedValue(line)) << line;
    } else if (keyword == "field") {
        EXPECT_EQ(fieldText(document.at("fields"), argument).get<std::string>(), quotedValue(line)) << line;
    } else if (keyword == "caption") {
        EXPECT_EQ(document.at("captions").at(argument).get<std::string>(), quotedValue(line)) << line;
    } else if (keyword == "stop" && argument == "null") {
        EXPECT_TRUE(document.at("stopped").is_null()) << document.at("stopped").dump();
    } else if (keyword == "stop") {
        ASSERT_FALSE(document.at("stopped").is_null()) << line;
        const std::string message = document.at("stopped").at("message").get<std::string>();
        EXPECT_NE(message.find(quotedValue(line)), std::string::npos) << line << "\nmessage: " << message;
    } else if (keyword == "report") {
        EXPECT_EQ(document.at("report").is_null(), argument == "null") << line;
    } else {
        ADD_FAILURE() << "unknown expectation: " << line;
    }
}

std::vector<fs::path> scenarioFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(MORVALEN_SCENARIO_DIR)) {
        if (entry.path().extension() == ".scenario") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class ScenarioTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ScenarioTest, RunsAsExpected) {
    const Scenario scenario = readScenario(GetParam());
    ASSERT_FALSE(scenario.expectations.empty()) << GetParam();
    const CliResult result = runCli(scenario.replies, GetParam().stem().string());
    for (const auto& line : scenario.expectations) check(result, line);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(scenarioFiles()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.stem().string();
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
