// The window as a surveyor reads it: fields of an earlier computation greyed, every prompt on one line, message
// boxes wide enough for a sentence, and fields that only show their texts.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <set>

#include "ModalDriver.h"
#include "QtTestEnvironment.h"
#include "app/FieldLook.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "entry/FieldModel.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

using namespace morvalen;
using namespace morvalen::testing;
using morvalen::app::isShownStale;
using morvalen::app::MainWindow;

const std::vector<std::string> azimuthStartData = {"130.8625", "1", "200.0000", "153.2505"};

std::vector<std::string> knownSideReplies() {
    return confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles);
}

std::vector<std::string> azimuthReplies() {
    return confirmedEach(azimuthCoordinates) + confirmedEach(azimuthStartData) + confirmedEach(azimuthNames) +
           confirmedEach(workedAngles);
}

// Each value typed, called wrong, typed again and confirmed: the entry, confirmation, re-entry and re-confirmation
// prompts of every value (for the start side number, its entry and confirmation twice).
std::vector<std::string> correctedEach(const std::vector<std::string>& values) {
    std::vector<std::string> replies;
    for (const auto& value : values) replies.insert(replies.end(), {value, "0", value, ""});
    return replies;
}

// Names of every field of the window, array elements as name_index.
std::vector<QString> allFieldNames() {
    std::vector<QString> names;
    for (const auto& name : FieldModel::singleFieldNames()) names.push_back(QString::fromStdString(name));
    for (const auto& [name, size] : FieldModel::fieldArrays()) {
        for (int i = 0; i < size; ++i) names.push_back(QString("%1_%2").arg(QString::fromStdString(name)).arg(i));
    }
    return names;
}

// Lines that `text` takes in `label` at the label's width, with the label's own font.
int linesInLabel(const QLabel& label, const QString& text) {
    QTextLayout layout(text, label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.contentsRect().width());
        ++lines;
    }
    layout.endLayout();
    return lines;
}

class WindowLegibility : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    QLineEdit* field(const QString& name) const { return window.findChild<QLineEdit*>(name); }
    void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    void expectDriverDone() const {
        EXPECT_TRUE(driver.failures.empty()) << driver.failures.front();
        EXPECT_EQ(driver.stepsLeft(), 0u);
    }
    // The fields that are greyed, in the order of allFieldNames.
    std::vector<QString> staleFields() const {
        std::vector<QString> stale;
        for (const auto& name : allFieldNames()) {
            if (isShownStale(*field(name))) stale.push_back(name);
        }
        return stale;
    }

    MainWindow window;
    ModalDriver driver;
};

TEST_F(WindowLegibility, FieldsTheLastComputationDidNotWriteAreGreyedWithTheirTexts) {
    driver.replies(azimuthReplies());
    click("Command1");
    EXPECT_TRUE(staleFields().empty());

    // A known-side run has no row 4: the azimuth run's return to A stays, greyed. The table holds the values of the
    // first run, unsaved: 计 算 asks before its answers replace them.
    driver.pressDefaultButton();
    driver.replies(knownSideReplies());
    click("Command1");
    expectDriverDone();
    EXPECT_EQ(staleFields(), (std::vector<QString>{"Text12_4", "Text13_4", "Text14_4"}));
    EXPECT_EQ(field("Text12_4")->text(), " A");
    EXPECT_EQ(field("Text12_4")->palette().color(QPalette::Text), app::staleTextColour);
    EXPECT_NE(field("Text12_3")->palette().color(QPalette::Text), app::staleTextColour);

    // A run that stops after b(5): b(6)..b(8), the closures, the precision and the coordinates are the known-side
    // run's, greyed, and the message says what grey means.
    std::vector<std::string> angles = workedAngles;
    angles[4] = "33.1O401";
    const std::vector<std::string> stopping =
        confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles);
    const QString closureBefore = field("Text15")->text();
    driver.pressDefaultButton();
    driver.replies(std::vector<std::string>(stopping.begin(), stopping.begin() + 2 * (4 + 4 + 5)));
    driver.acknowledgeMessage();
    click("Command1");
    expectDriverDone();

    const std::vector<QString> stale = staleFields();
    for (const char* name : {"Text7_5", "Text7_7", "Text15", "Text18", "Text8", "Text9", "Text11", "Text13_0",
                             "Text14_3", "Text12_4"}) {
        EXPECT_NE(std::find(stale.begin(), stale.end(), name), stale.end()) << name;
    }
    for (const char* name : {"Text1", "Text4", "Text19", "Text20", "Text7_0", "Text7_4", "Text12_0", "Text12_3"}) {
        EXPECT_EQ(std::find(stale.begin(), stale.end(), name), stale.end()) << name;
    }
    EXPECT_EQ(field("Text15")->text(), closureBefore);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_NE(driver.messages[0].find("b(5) 的输入 \"33.1O401\" 不是数值"), std::string::npos);
    EXPECT_NE(driver.messages[0].find("灰色的栏目是以前一次计算的结果"), std::string::npos) << driver.messages[0];
    EXPECT_NE(driver.messages[0].find("单击“计 算”将重新询问每一个数值"), std::string::npos);
}

TEST_F(WindowLegibility, NoGreyNoteWhenNoEarlierComputationIsShown) {
    // Every prompt dismissed: the first run stops at b(1), and no field holds an earlier text.
    for (int i = 0; i < 2 * (4 + 4 + 1); ++i) driver.dismissPrompt();
    driver.acknowledgeMessage();
    click("Command1");
    expectDriverDone();
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_NE(driver.messages[0].find("b(1) 没有输入"), std::string::npos) << driver.messages[0];
    EXPECT_EQ(driver.messages[0].find("灰色"), std::string::npos);
}

// Every prompt text of the three cases, with its re-entry and re-confirmation, is shown on one line in the prompt's
// own font, so that no bracketed group and no word is split.
TEST_F(WindowLegibility, EveryPromptOfEveryCaseStaysOnOneLine) {
    const std::vector<std::string> mixedCoordinates = {"1000", "1000", "0", "1175"};
    const std::vector<std::vector<std::string>> cases = {
        correctedEach(knownSideCoordinates) + correctedEach(knownSideNames) + correctedEach(workedAngles),
        correctedEach(azimuthCoordinates) + correctedEach(azimuthStartData) + correctedEach(azimuthNames) +
            correctedEach(workedAngles),
        correctedEach(mixedCoordinates) + correctedEach(knownSideNames) + correctedEach(workedAngles),
    };
    std::set<std::string> checked;
    for (const auto& replies : cases) {
        if (&replies != &cases.front()) driver.pressDefaultButton();  // the earlier run's values are replaced
        for (const auto& reply : replies) {
            driver.reply(reply, [&](QInputDialog& dialog) {
                const auto* label = dialog.findChild<QLabel*>();
                ASSERT_NE(label, nullptr);
                const QString text = dialog.labelText();
                EXPECT_FALSE(label->wordWrap()) << text.toStdString();
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(text), label->width()) << text.toStdString();
                EXPECT_LE(dialog.width(), window.width()) << text.toStdString();
                checked.insert(text.toStdString());
            });
        }
        if (&replies == &cases.back()) driver.acknowledgeMessage();  // the mixed case stops at the relative error
        click("Command1");
        expectDriverDone();
    }
    // Entry, confirmation and re-entry texts of coordinates, names, angles and the start data of the azimuth case.
    EXPECT_GE(checked.size(), 50u);
    EXPECT_TRUE(checked.count("确认纵座标输入是否正确 ?  输入正确单击 Enter ; 错误输入零( 即为:0 )"));
    EXPECT_TRUE(checked.count("确认定向角 Qa 输入是否正确 ? 输入正确单击 Enter ; 错误输入零( 即为:0 )"));
}

TEST_F(WindowLegibility, MessageBoxesTakeASentenceOfSixtyCharactersOnTwoLines) {
    const QString sentence = QString("起算边编号超出一至六的范围，请在示图上查对起算边的编号，然后单击 计 算 重新输入全部"
                                     "观测数据及起算数据并确认每个数值。");
    ASSERT_EQ(sentence.size(), 60);
    int lines = 0;
    driver.then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        const auto* detail = box->findChild<QLabel*>("qt_msgbox_informativelabel");
        ASSERT_NE(detail, nullptr);
        lines = linesInLabel(*detail, detail->text());
        box->accept();
    });
    app::showMessage(&window, QMessageBox::Warning, "Morvalen", "计算中止", sentence);
    expectDriverDone();
    EXPECT_GE(lines, 1);
    EXPECT_LE(lines, 2);
}

TEST_F(WindowLegibility, FieldsTakeNoFocusOrTypingButTheirTextCanBeCopied) {
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    for (const auto& name : allFieldNames()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(field(name)->isReadOnly());
        EXPECT_EQ(field(name)->focusPolicy(), Qt::NoFocus);
    }

    driver.replies(knownSideReplies());
    click("Command1");
    expectDriverDone();
    QLineEdit* coordinate = field("Text13_1");
    QTest::mouseClick(coordinate, Qt::LeftButton);
    EXPECT_FALSE(coordinate->hasFocus());

    // A drag across the field selects its text, and the field's copy puts it on the clipboard.
    QTest::mousePress(coordinate, Qt::LeftButton, {}, QPoint(2, coordinate->height() / 2));
    QMouseEvent drag(QEvent::MouseMove, QPointF(coordinate->width() - 2, coordinate->height() / 2),
                     coordinate->mapToGlobal(QPointF(coordinate->width() - 2, coordinate->height() / 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(coordinate, &drag);
    QTest::mouseRelease(coordinate, Qt::LeftButton, {}, QPoint(coordinate->width() - 2, coordinate->height() / 2));
    EXPECT_EQ(coordinate->selectedText(), coordinate->text());
    coordinate->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), " 1202.272");
}

}  // namespace
