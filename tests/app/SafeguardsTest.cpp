// Around the computation: results marked stale once the table changes, questions before typed values are lost, a
// first view that lists only the problems of cells the surveyor has touched.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "ModalDriver.h"
#include "app/FieldLook.h"
#include "app/FieldsJson.h"
#include "app/MainWindow.h"
#include "app/ObservationTablePanel.h"
#include "app/TableCommands.h"

namespace {

using namespace morvalen;
namespace fs = std::filesystem;

class Safeguards : public ::testing::Test {
protected:
    QLineEdit& cell(EnteredValue value) { return window.table().panel().cell(value); }
    bool grey(const char* name) { return app::isShownStale(*window.findChild<QLineEdit*>(name)); }
    void type(EnteredValue value, const QString& text) {
        cell(value).setFocus();
        cell(value).selectAll();
        QTest::keyClicks(&cell(value), text);
    }
    void trigger(const char* action) { window.findChild<QAction*>(action)->trigger(); }
    bool stale() { return window.resultsStale() && nlohmann::json::parse(app::fieldsJson(window))["stale"] == true; }
    // 取消 on the next question, whose object name is kept.
    void cancel() {
        driver.then([this](QWidget* modal) {
            asked.push_back(modal->objectName().toStdString());
            modal->close();
        });
    }
    app::MainWindow window;
    morvalen::testing::ModalDriver driver;
    std::vector<std::string> asked;
};

TEST_F(Safeguards, ResultsTurnStaleWhenTheTableChangesAndFreshWhenComputed) {
    ASSERT_TRUE(window.table().openFile(fs::path(MORVALEN_EXAMPLES_DIR) / "known-side.csv"));
    trigger("ComputeFromTable");
    EXPECT_FALSE(stale() || grey("Text11"));
    type(EnteredValue::b5, "44.6112");
    EXPECT_TRUE(stale() && grey("Text11") && grey("Text1"));
    EXPECT_TRUE(window.findChild<QLabel*>("StaleResults")->isVisibleTo(&window));
    trigger("Undo");  // the values computed from are back
    EXPECT_FALSE(stale() || grey("Text11"));
    trigger("NewTable");
    EXPECT_TRUE(stale() && grey("Text11"));
    cancel();
    window.Command3_Click();  // printing stale results asks first
    EXPECT_EQ(asked, std::vector<std::string>{"StaleResults"});
}

TEST_F(Safeguards, AClickThatWouldLoseTypedValuesAsksFirst) {
    type(EnteredValue::xa, "1000");
    window.show();
    cancel();
    cancel();
    window.findChild<QPushButton*>("Command1")->click();  // the dialogue would replace the table's values
    window.findChild<QPushButton*>("Command2")->click();
    EXPECT_TRUE(window.isVisible() && cell(EnteredValue::xa).text() == "1000");
    EXPECT_EQ(asked, (std::vector<std::string>{"DialogueReplacesTable", "UnsavedInput"}));

    const fs::path file = fs::temp_directory_path() / ("morvalen-replace-" + std::to_string(::getpid()) + ".csv");
    fs::copy_file(fs::path(MORVALEN_EXAMPLES_DIR) / "campaign.csv", file, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(window.table().saveAs(file, app::SaveInto::replaceFile));
    EXPECT_EQ(files::readObservationFile(file).rows.size(), 1u);
    fs::remove(file);
}

TEST_F(Safeguards, AFirstViewListsProblemsOfTouchedCellsOnlyUntilComputeIsAsked) {
    const auto* count = window.findChild<QLabel*>("ProblemCount");
    EXPECT_FALSE(count->text().contains("处问题"));
    EXPECT_EQ(cell(EnteredValue::b1).placeholderText(), "dd.mmss");
    type(EnteredValue::b1, "44.7");
    EXPECT_TRUE(count->text().contains("1 处问题"));
    driver.acknowledgeMessage();
    trigger("ComputeFromTable");
    EXPECT_TRUE(count->text().contains("16 处问题"));
}

}  // namespace
