// The three commands of the window, driven through its real modal prompts and message boxes: what the window shows
// after a run must be what the computation writes when it is given the same replies without a window.
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

#include "ModalDriver.h"
#include "QtTestEnvironment.h"
#include "command/ComputeCommand.h"
#include "app/MainWindow.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

using namespace morvalen;
using namespace morvalen::testing;
using morvalen::app::MainWindow;

std::vector<std::string> knownSideReplies() {
    return confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles);
}

std::vector<std::string> azimuthReplies() {
    // Start side S(1) of 130.8625 m, Ta 200°00′00″, Qa 153°25′05″.
    return confirmedEach(azimuthCoordinates) + confirmedEach({"130.8625", "1", "200.0000", "153.2505"}) +
           confirmedEach(azimuthNames) + confirmedEach(workedAngles);
}

// The same computations without a window: the fields as a model, the replies from a script.
struct CoreWithoutWindow {
    void run(const std::vector<std::string>& replies) {
        ScriptedPrompt prompt(replies);
        stop.reset();
        try {
            runComputeCommand(state, prompt, fields);
        } catch (const RunStopped& stopped) {
            stop = stopped.what();
        }
        prompts = prompt.prompts;
    }

    SurveyState state;
    FieldModel fields;
    std::vector<std::string> prompts;
    std::optional<std::string> stop;
};

class ComputeCommand : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    QString text(const QString& objectName) const {
        const auto* field = window.findChild<QLineEdit*>(objectName);
        return field ? field->text() : QString("<no field %1>").arg(objectName);
    }
    QString caption(const QString& objectName) const { return window.findChild<QLabel*>(objectName)->text(); }
    void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }

    // Every field and the changing caption of the window read as the computation left them in the model.
    void expectWindowShowsModel() const {
        for (const auto& name : FieldModel::singleFieldNames()) {
            EXPECT_EQ(text(QString::fromStdString(name)).toStdString(), core.fields.text({name})) << name;
        }
        for (const auto& [name, size] : FieldModel::fieldArrays()) {
            for (int i = 0; i < size; ++i) {
                const QString objectName = QString("%1_%2").arg(QString::fromStdString(name)).arg(i);
                EXPECT_EQ(text(objectName).toStdString(), core.fields.text({name, i})) << name << "(" << i << ")";
            }
        }
        for (int r = 0; r <= 4; ++r) {
            EXPECT_EQ(caption(QString("Label18_%1").arg(r)).toStdString(), core.fields.caption({"Label18", r}));
        }
    }

    void expectDriverDone() const {
        EXPECT_TRUE(driver.failures.empty()) << driver.failures.front();
        EXPECT_EQ(driver.stepsLeft(), 0u);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    MainWindow window;
    ModalDriver driver;
    CoreWithoutWindow core;

    // The same replies through the window's real dialogs and through the core alone: same prompts, same fields.
    void computeBothWays(const std::vector<std::string>& replies, std::size_t expectedPrompts) {
        driver.replies(replies);
        click("Command1");
        core.run(replies);

        expectDriverDone();
        ASSERT_FALSE(core.stop.has_value()) << *core.stop;
        EXPECT_EQ(driver.prompts, core.prompts);
        EXPECT_EQ(driver.prompts.size(), expectedPrompts);
        expectWindowShowsModel();
    }
};

TEST_F(ComputeCommand, KnownSideWorkedExampleFillsTheWindowAsTheComputationDoes) {
    ASSERT_NO_FATAL_FAILURE(computeBothWays(knownSideReplies(), 32));
    EXPECT_TRUE(window.surveyState().computationComplete);

    // The worked example as a surveyor checks it.
    EXPECT_EQ(text("Text15"), " 2.00 秒");
    EXPECT_EQ(text("Text16"), " -1.50 秒");
    EXPECT_EQ(text("Text17"), " -0.15 秒");
    EXPECT_EQ(text("Text18"), " 3.00 单位");
    EXPECT_EQ(text("Text8"), " 0.67 秒");
    EXPECT_EQ(text("Text9"), "5.29618");
    EXPECT_EQ(text("Text10"), " 1.54 单位");
    EXPECT_EQ(text("Text11"), " 1/282331");
    EXPECT_EQ(text("Text20"), "    以起始边 S(a-b)起算 ");
    EXPECT_EQ(text("Text19"), "由起始边起算");
    EXPECT_EQ(caption("Label18_0"), " Ya");

    window.grab().save(MORVALEN_SCREENSHOT_DIR "/window-known-side.png");
}

TEST_F(ComputeCommand, AzimuthWorkedExampleFillsTheWindowAsTheComputationDoes) {
    ASSERT_NO_FATAL_FAILURE(computeBothWays(azimuthReplies(), 42));

    EXPECT_EQ(text("Text3"), "B点为待定点");
    EXPECT_EQ(text("Text4"), "B点为待定点");
    EXPECT_EQ(text("Text20"), " 由A点的外方位角定向");
    EXPECT_EQ(text("Text9"), "4.68721");
    EXPECT_EQ(text("Text10"), " 1.45 单位");
    EXPECT_EQ(text("Text11"), " 1/300111");
    EXPECT_EQ(text("Text12_4"), " A");

    window.grab().save(MORVALEN_SCREENSHOT_DIR "/window-azimuth.png");
}

TEST_F(ComputeCommand, EchoIsInSightWhileItsConfirmationIsOpen) {
    std::vector<std::string> replies = knownSideReplies();
    QString echoWhileConfirmingXa, echoWhileReenteringXa, echoWhileReconfirmingXa, echoWhileConfirmingB3;
    QRect promptOnWindow;
    bool promptModalOverWindow = false;
    QStringList buttonTexts;
    bool labelWraps = false;
    int promptWidth = 0;

    driver.reply("1000.0004");
    driver.reply("0", [&](QInputDialog& dialog) {
        echoWhileConfirmingXa = text("Text1");
        promptModalOverWindow = dialog.isModal() && dialog.parentWidget() == &window;
        promptOnWindow = QRect(window.mapFromGlobal(dialog.pos()), dialog.size());
        for (auto* button : dialog.findChild<QDialogButtonBox*>()->buttons()) buttonTexts << button->text();
        labelWraps = dialog.findChild<QLabel*>()->wordWrap();
        promptWidth = dialog.width();
    });
    driver.reply("1000", [&](QInputDialog&) { echoWhileReenteringXa = text("Text1"); });
    driver.reply("", [&](QInputDialog&) { echoWhileReconfirmingXa = text("Text1"); });
    const std::size_t thirdAngleConfirmation = 2 * (4 + 4 + 2) + 1;
    for (std::size_t i = 2; i < replies.size(); ++i) {
        if (i == thirdAngleConfirmation) {
            driver.reply(replies[i], [&](QInputDialog&) { echoWhileConfirmingB3 = text("Text7_2"); });
        } else {
            driver.reply(replies[i]);
        }
    }
    click("Command1");
    expectDriverDone();

    EXPECT_EQ(echoWhileConfirmingXa, " 1000.000");
    EXPECT_EQ(echoWhileReenteringXa, "");
    EXPECT_EQ(echoWhileReconfirmingXa, " 1000.000");
    EXPECT_EQ(echoWhileConfirmingB3, " 49.18030");
    EXPECT_TRUE(promptModalOverWindow);

    // The prompt opens where it hides no field that is echoed into: below the start data and the angles.
    for (const char* echoed : {"Text1", "Text6", "Text7_7", "Text12_4"}) {
        const auto* field = window.findChild<QLineEdit*>(echoed);
        EXPECT_FALSE(promptOnWindow.intersects(QRect(field->mapTo(&window, QPoint(0, 0)), field->size()))) << echoed;
    }
    EXPECT_FALSE(labelWraps);  // the confirmation stays on one line
    EXPECT_GE(promptWidth, 360);
    EXPECT_LE(promptWidth, 700);
    if (chineseButtonTexts()) {
        EXPECT_TRUE(buttonTexts.contains("确定"));
        EXPECT_TRUE(buttonTexts.contains("取消"));
    }
}

TEST_F(ComputeCommand, StoppedRunIsReportedAndTheNextRunCompletes) {
    // b(5) typed with the letter O for a zero: the run stops right after its confirmation.
    std::vector<std::string> angles = workedAngles;
    angles[4] = "33.1O401";
    const std::vector<std::string> stopping =
        confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles);

    driver.replies(std::vector<std::string>(stopping.begin(), stopping.begin() + 2 * (4 + 4 + 5)));
    driver.acknowledgeMessage();
    click("Command1");
    core.run(stopping);

    expectDriverDone();
    ASSERT_TRUE(core.stop.has_value());
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_NE(driver.messages[0].find(*core.stop), std::string::npos) << driver.messages[0];
    EXPECT_EQ(driver.prompts, core.prompts);
    expectWindowShowsModel();
    EXPECT_EQ(text("Text7_4"), " 33.1O401");
    EXPECT_EQ(text("Text7_5"), "");
    EXPECT_FALSE(window.surveyState().computationComplete);

    // The window stays usable: the next click runs a whole computation.
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.findChild<QPushButton*>("Command1")->isEnabled());
    // The table holds the stopped run's values, unsaved: 计 算 says first that it replaces them; Enter goes ahead.
    driver.pressDefaultButton();
    driver.replies(knownSideReplies());
    click("Command1");
    core.run(knownSideReplies());
    expectDriverDone();
    EXPECT_EQ(driver.messages.size(), 1u);
    expectWindowShowsModel();
    EXPECT_TRUE(window.surveyState().computationComplete);
}

TEST_F(ComputeCommand, DismissedPromptsGiveTheEmptyText) {
    // Four coordinates and four names typed but dismissed, with their confirmations (a typed 0 would mean "wrong"),
    // then b(1): its empty text is no angle.
    const int dismissed = 2 * (4 + 4 + 1);
    for (int i = 0; i < dismissed; ++i) driver.dismissPrompt(i % 2 == 0 ? "1234.5" : "0");
    driver.acknowledgeMessage();
    click("Command1");
    core.run({});

    expectDriverDone();
    ASSERT_TRUE(core.stop.has_value());
    EXPECT_EQ(driver.prompts, core.prompts);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_NE(driver.messages[0].find(*core.stop), std::string::npos);
    expectWindowShowsModel();
    EXPECT_EQ(text("Text1"), " ");
    EXPECT_EQ(text("Text12_0"), " ");
}

TEST_F(ComputeCommand, TextTypedIntoTheFieldsIsNeverRead) {
    // The fields take no typing at all, so nothing typed can reach a computation.
    for (const char* name : {"Text1", "Text3", "Text7_0", "Text7_4", "Text15", "Text9"}) {
        auto* field = window.findChild<QLineEdit*>(name);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "777");
        ASSERT_EQ(field->text(), "");
        EXPECT_FALSE(field->hasFocus());
    }
    driver.replies(knownSideReplies());
    click("Command1");
    core.run(knownSideReplies());

    expectDriverDone();
    expectWindowShowsModel();
    EXPECT_EQ(text("Text9"), "5.29618");
}

TEST_F(ComputeCommand, ClosingTheWindowWhileAPromptIsOpenEndsTheRunSilently) {
    driver.reply("1000");
    driver.then([&](QWidget*) { window.close(); });
    click("Command1");

    expectDriverDone();
    EXPECT_TRUE(driver.messages.empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(driver.prompts.size(), 1u);
    EXPECT_EQ(text("Text1"), " 1000.000");
    EXPECT_TRUE(text("Text2").isEmpty());
    EXPECT_FALSE(window.surveyState().computationComplete);
}

TEST_F(ComputeCommand, ExitEndsAtOnceWithoutAsking) {
    click("Command2");
    QTest::qWait(20);

    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(driver.prompts.empty());
    expectDriverDone();
}

}  // namespace
