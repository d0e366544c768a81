// The computation as values: the dialogue and the computation from the same values give the same record and the
// same outputs, on every example and scenario; and the "result" of the JSON document, its keys and its numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/RunDocument.h"
#include "document/RunOutput.h"
#include "document/StepsOutput.h"
#include "command/RunRecord.h"
#include "entry/FieldModel.h"
#include "entry/Utf8.h"
#include "form/FieldText.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"

namespace morvalen {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

struct Replies {
    std::string name;
    std::vector<std::string> lines;
};

// The reply scripts of the examples and of the scenarios (the lines of their section "--- replies").
std::vector<Replies> everyReplyScript() {
    std::vector<Replies> all;
    for (const auto& [folder, scenario] : {std::pair{MORVALEN_EXAMPLES_DIR, false}, {MORVALEN_SCENARIO_DIR, true}}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string extension = scenario ? ".scenario" : ".replies";
            if (entry.path().extension() != extension) continue;
            std::ifstream file(entry.path(), std::ios::binary);
            Replies replies{entry.path().filename().string(), {}};
            bool inside = !scenario;
            for (std::string line; std::getline(file, line);) {
                if (scenario && line.starts_with("--- ")) {
                    inside = line == "--- replies";
                    continue;
                }
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (inside) replies.lines.push_back(validUtf8(line));  // as the terminal reads a line
            }
            all.push_back(replies);
        }
    }
    return all;
}

struct Shown {
    RunRecord run;
    FieldModel fields;
};

// Compared as text: a step that cannot be formed is NaN, which no number equals.
void expectSameOutputs(const Shown& dialogue, const Shown& values, const std::string& name) {
    const auto same = [&](const ordered_json& a, const ordered_json& b) { EXPECT_EQ(a.dump(), b.dump()) << name; };
    same(document::fieldsJson(dialogue.fields), document::fieldsJson(values.fields));
    same(document::captionsJson(dialogue.fields), document::captionsJson(values.fields));
    same(document::stopJson(dialogue.run.stop), document::stopJson(values.run.stop));
    same(document::reportJson(dialogue.run.state), document::reportJson(values.run.state));
    same(document::stepsJson(dialogue.run.steps), document::stepsJson(values.run.steps));
    same(document::resultJson(dialogue.run), document::resultJson(values.run));
}

// Every number of "result" reads back to the text its field shows, rounded as the field rounds it.
void expectResultAsShown(const ordered_json& result, const FieldModel& fields, const std::string& name) {
    const auto asSingle = [](const ordered_json& number) { return static_cast<float>(number.get<double>()); };
    const std::pair<const char*, Control> seconds[] = {
        {"w1", form::w1}, {"w2", form::w2}, {"w3", form::w3}, {"mb", form::mb}};
    for (const auto& [key, field] : seconds) {
        if (!result[key].is_null()) {
            EXPECT_EQ(secondsText(asSingle(result[key])), fields.text(field)) << name << key;
        }
    }
    if (!result["w4"].is_null()) {
        EXPECT_EQ(logUnitsText(asSingle(result["w4"])), fields.text(form::w4)) << name;
    }
    if (!result["mlgs"].is_null()) {
        EXPECT_EQ(logUnitsText(asSingle(result["mlgs"])), fields.text(form::mlgs)) << name;
    }
    if (!result["inv_plgs"].is_null()) {
        EXPECT_EQ(reciprocalWeightText(result["inv_plgs"].get<double>()), fields.text(form::reciprocalWeight)) << name;
    }
    if (!result["relative_error_denominator"].is_null()) {
        EXPECT_EQ(relativeErrorText(asSingle(result["relative_error_denominator"])), fields.text(form::relativeError))
            << name;
    }
    for (const auto& station : result["stations"]) {
        const int row = station["row"].get<int>();
        if (row == 0) continue;  // A as typed, echoed from its digits
        EXPECT_EQ(" " + roundedFixed(station["x"].get<double>(), 3), fields.text(form::stationX(row))) << name << row;
        EXPECT_EQ(" " + roundedFixed(station["y"].get<double>(), 3), fields.text(form::stationY(row))) << name << row;
        EXPECT_EQ(" " + station["name"].get<std::string>(), fields.text(form::stationName(row))) << name << row;
    }
}

TEST(RunRecord, TheDialogueAndTheComputationFromItsValuesAgreeOnEveryExampleAndScenario) {
    const std::vector<Replies> scripts = everyReplyScript();
    ASSERT_GT(scripts.size(), 30u);
    for (const Replies& replies : scripts) {
        Shown dialogue;
        testing::ScriptedPrompt prompt(replies.lines);
        try {
            runComputeCommand(prompt, dialogue.fields, dialogue.run);
            EXPECT_TRUE(dialogue.run.completed()) << replies.name;
        } catch (const RunStopped& stop) {
            ASSERT_TRUE(dialogue.run.stop) << replies.name;
            EXPECT_STREQ(stop.what(), dialogue.run.stop->what()) << replies.name;
        }
        Shown values;
        values.run = computeRun(dialogue.run.observations);
        showRun(values.run, values.fields);
        expectSameOutputs(dialogue, values, replies.name);
        expectResultAsShown(document::resultJson(values.run), values.fields, replies.name);
    }
}

// The keys of "result" and their order are a contract, the same in both languages; only the stop's texts are
// translated.
TEST(RunRecord, TheResultKeysAreTheSameInBothLanguages) {
    const std::vector<std::string> keys = {"case", "w1", "w2", "w3", "w4", "mb", "inv_plgs", "mlgs",
                                           "relative_error_denominator", "adjusted_angles", "stations", "stop"};
    const struct {
        const char* replies;
        const char* kind;
        std::size_t stations;
        bool stopped;
    } cases[] = {{"known-side.replies", "known-side", 4, false},
                 {"azimuth.replies", "azimuth", 5, false},
                 {"mixed.replies", "mixed", 0, true}};
    for (const auto& example : cases) {
        std::vector<nlohmann::json> results;
        for (const char* language : {"zh", "en"}) {
            const auto outcome = testing::runProgram(MORVALEN_CLI_PATH, std::string("--json --lang ") + language,
                                                     fs::path(MORVALEN_EXAMPLES_DIR) / example.replies);
            const auto document = nlohmann::ordered_json::parse(outcome.output);
            const ordered_json& result = document.at("result");
            std::vector<std::string> shown;
            for (const auto& [key, value] : result.items()) shown.push_back(key);
            EXPECT_EQ(shown, keys) << example.replies << language;
            EXPECT_EQ(result["case"], example.kind);
            EXPECT_EQ(result["stations"].size(), example.stations) << example.replies;
            EXPECT_EQ(result["stop"].is_null(), !example.stopped) << example.replies;
            if (!example.stopped) {
                ASSERT_EQ(result["adjusted_angles"].size(), 8u);
                EXPECT_EQ(result["adjusted_angles"][0].at("dms").get<std::string>().size(), 8u);
            }
            nlohmann::json numbers = result;
            numbers.erase("stop");
            results.push_back(numbers);
        }
        EXPECT_EQ(results[0], results[1]) << example.replies << ": the numbers do not depend on the language";
    }
}

// A single is written as the shortest decimal that reads back as the same single.
TEST(RunRecord, SinglesAreWrittenAsTheirShortestDecimal) {
    for (const float value : {0.1f, 2.0f, -3.47f, 282331.0f, 1.2345678e7f, 5.5e-8f}) {
        const double written = shortestDecimal(value);
        EXPECT_EQ(static_cast<float>(written), value);
        EXPECT_LE(ordered_json(written).dump().size(), 15u) << ordered_json(written).dump();
    }
    EXPECT_EQ(ordered_json(shortestDecimal(0.1f)).dump(), "0.1");
}

}  // namespace
}  // namespace morvalen
