// Observation files: a run kept as a row and answered from it again gives the same window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "command/RunRecord.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "files/ObservationFile.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::files {
namespace {

namespace fs = std::filesystem;
using morvalen::testing::confirmedEach;
using morvalen::testing::ScriptedPrompt;

class ObservationFile : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-observations-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

struct Window {
    RunRecord run;
    FieldModel fields;
    const SurveyState& state = run.state;
    const std::optional<RunStopped>& stop = run.stop;
};

// The dialogue, answered by `asker`.
void compute(Window& window, Prompt& asker) {
    try {
        runComputeCommand(asker, window.fields, window.run);
    } catch (const RunStopped&) {
    }
}

// The values of a row of an observation file, computed and shown.
void compute(Window& window, const ObservationRow& opened) {
    computeRun(opened.columns.observations(opened.row), window.run);
    showRun(window.run, window.fields);
}

void expectSameWindow(const Window& first, const Window& second) {
    for (const auto& name : FieldModel::singleFieldNames()) {
        EXPECT_EQ(first.fields.text({name}), second.fields.text({name})) << name;
    }
    for (const auto& [name, size] : FieldModel::fieldArrays()) {
        for (int i = 0; i < size; ++i) EXPECT_EQ(first.fields.text({name, i}), second.fields.text({name, i})) << name;
    }
    EXPECT_EQ(first.fields.caption({"Label18", 0}), second.fields.caption({"Label18", 0}));
    EXPECT_EQ(first.state.observedAngles, second.state.observedAngles);
    EXPECT_EQ(first.state.pointNames, second.state.pointNames);
    EXPECT_EQ(first.stop.has_value(), second.stop.has_value());
}

// Typed with corrections (a wrong coordinate, a wrong start side number, a wrong name and a wrong angle), saved,
// opened again and answered from the file: the same fields and state.
TEST_F(ObservationFile, SavedRunOpensToTheSameWindowInBothCases) {
    using namespace morvalen::testing;
    const std::vector<std::string> azimuthStart = {"130.8625", "", "7", "0", "1", "", "200.0000", "", "153.2505", ""};
    const std::vector<std::vector<std::string>> runs = {
        {"1000", "", "1000", "", "1100", "0", "1010", "", "1175", ""},  // known side, xb corrected
        confirmedEach(azimuthCoordinates)};
    for (std::size_t kind = 0; kind < runs.size(); ++kind) {
        std::vector<std::string> replies = runs[kind];
        if (kind == 1) replies.insert(replies.end(), azimuthStart.begin(), azimuthStart.end());
        const auto& names = kind == 0 ? knownSideNames : azimuthNames;
        replies = replies + std::vector<std::string>{"Ax", "0", names[0], ""} +
                  confirmedEach({names.begin() + 1, names.end()}) + confirmedEach(workedAngles);
        replies[replies.size() - 15] = "0";  // b(1) is wrong,
        replies.insert(replies.end() - 14, {"44.13120", ""});  // typed again
        ScriptedPrompt typist(replies);
        Window typed;
        compute(typed, typist);
        ASSERT_FALSE(typed.stop) << typed.stop->what();
        EXPECT_EQ(typist.repliesLeft(), 0u);

        const fs::path file = folder / "observations.csv";
        const std::string id = saveObservations(file, typed.run.observations, "Q" + std::to_string(kind));
        EXPECT_EQ(id, "Q" + std::to_string(kind));
        const ObservationRow opened = openObservationRow(file, id);
        Window fromFile;
        compute(fromFile, opened);
        expectSameWindow(typed, fromFile);
        EXPECT_EQ(fromFile.state.xb.typedText(), kind == 0 ? "1010" : "0");
        EXPECT_EQ(fromFile.state.pointNames[0], names[0]);
        EXPECT_EQ(fromFile.state.startSideNumber, kind == 1 ? 1 : 0);
    }
    // Both runs are in one file, each under its own id; a row without --row is the first one.
    EXPECT_EQ(openObservationRow(folder / "observations.csv", std::nullopt).id, "Q0");
}

// After a stop the row holds what was typed up to it, and nothing of an earlier run; a repeated id gets the first
// free number, and the file's bytes before the new row stay as they were.
TEST_F(ObservationFile, StoppedRunKeepsWhatWasTypedAndAppendsBehindTheFile) {
    const fs::path file = folder / "campaign.csv";
    const std::string existing = "\xEF\xBB\xBFid,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,"
                                 "b8\n1,1,2,3,4,\"北山,一号\",b,c,d,1,2,3,4,5,6,7,8";  // no line end at the end
    std::ofstream(file, std::ios::binary) << existing;
    ScriptedPrompt typist(confirmedEach({"1000", "1000", "1010", "1175", "甲", "乙", "丙", "丁", "44.1312", "4O.1"}));
    Window typed;
    compute(typed, typist);
    ASSERT_TRUE(typed.stop);
    EXPECT_EQ(saveObservations(file, typed.run.observations, "1"), "2");

    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, existing + "\n2,1000,1000,1010,1175,甲,乙,丙,丁,44.1312,4O.1,,,,,,\n") << "the file's own line ends";

    // An azimuth value has no column in this file: refused, the file untouched.
    ScriptedPrompt azimuthTypist(confirmedEach({"1", "2", "0", "0", "100"}));
    Window other;
    compute(other, azimuthTypist);
    EXPECT_THROW(saveObservations(file, other.run.observations, ""), ObservationFileError);
    std::ifstream again(file, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), bytes);
}

TEST_F(ObservationFile, BadFilesAreRefusedNamingFileAndReason) {
    const auto message = [&](const fs::path& path, const std::optional<std::string>& id) {
        try {
            openObservationRow(path, id);
        } catch (const ObservationFileError& error) {
            return std::string(error.what());
        }
        return std::string("opened");
    };
    const fs::path file = folder / "c.csv";
    EXPECT_NE(message(file, std::nullopt).find("c.csv：文件不存在"), std::string::npos);
    EXPECT_NE(message(folder, std::nullopt).find("文件夹"), std::string::npos);
    std::ofstream(file, std::ios::binary) << "id,xa,what\n";
    EXPECT_NE(message(file, std::nullopt).find("不是观测数据文件：标题行不符"), std::string::npos);
    std::ofstream(file, std::ios::binary) << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,"
                                             "b7,b8\nshort,1,2\n";
    EXPECT_NE(message(file, "other").find("没有 id 为 \"other\" 的行"), std::string::npos);
    EXPECT_NE(message(file, "short").find("第 2 行不是一组观测数据"), std::string::npos);
    std::ofstream(file, std::ios::binary) << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,"
                                             "b7,b8\n";
    EXPECT_NE(message(file, std::nullopt).find("没有数据行"), std::string::npos);
}

}  // namespace
}  // namespace morvalen::files
