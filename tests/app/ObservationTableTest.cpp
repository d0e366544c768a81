// The observation table beside the window's layout, driven offscreen as a surveyor uses it: cells checked as typed,
// undo and redo, the question before unsaved input is lost, and the dialogue of 计 算 filling the table.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ModalDriver.h"
#include "app/MainWindow.h"
#include "app/ObservationTablePanel.h"
#include "app/TableCommands.h"
#include "entry/ObservationChecks.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

using namespace morvalen;
using namespace morvalen::testing;
using morvalen::app::MainWindow;
namespace fs = std::filesystem;

class ObservationTableTest : public ::testing::Test {
protected:
    QLineEdit& cell(EnteredValue value) { return window.table().panel().cell(value); }
    QString field(const char* name) { return window.findChild<QLineEdit*>(name)->text(); }
    void type(EnteredValue value, const QString& text) {
        cell(value).setFocus();
        cell(value).selectAll();
        QTest::keyClicks(&cell(value), text);
    }
    void trigger(const char* action) { window.findChild<QAction*>(action)->trigger(); }
    void expectDriverDone() const {
        EXPECT_TRUE(driver.failures.empty()) << driver.failures.front();
        EXPECT_EQ(driver.stepsLeft(), 0u);
    }
    fs::path examples{MORVALEN_EXAMPLES_DIR};
    MainWindow window;
    ModalDriver driver;
};

TEST_F(ObservationTableTest, ProblemsShowOnTheirCellsAndRefuseTheComputation) {
    ASSERT_TRUE(window.table().openFile(examples / "azimuth.csv"));
    type(EnteredValue::b3, "49.1860x");
    type(EnteredValue::b5, "33.6140");
    type(EnteredValue::startSideNumber, "3.5");
    EXPECT_EQ(cell(EnteredValue::b3).property("problem").toString(), "不是数值");
    EXPECT_EQ(cell(EnteredValue::b5).property("problem").toString(), "dd.mmss 的分和秒都必须小于 60");
    EXPECT_TRUE(cell(EnteredValue::b5).toolTip().startsWith("b(5)"));
    EXPECT_FALSE(cell(EnteredValue::b1).actions().front()->isVisible());
    EXPECT_TRUE(cell(EnteredValue::b5).actions().front()->isVisible());  // the icon beside the colour

    driver.acknowledgeMessage();
    trigger("ComputeFromTable");
    expectDriverDone();
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_NE(driver.messages[0].find("3 处问题"), std::string::npos) << driver.messages[0];
    EXPECT_EQ(field("Text15"), "");  // no result written
    EXPECT_EQ(field("Text1"), "");
}

TEST_F(ObservationTableTest, TheKnownSideCaseDisablesTheStartDataAndComputesLikeTheDialogue) {
    ASSERT_TRUE(window.table().openFile(examples / "known-side.csv"));
    EXPECT_FALSE(cell(EnteredValue::Ta).isEnabled());
    EXPECT_FALSE(cell(EnteredValue::nameP3).isEnabled());
    window.findChild<QPushButton*>("ComputeTable")->click();

    MainWindow typed;
    driver.replies(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    typed.Command1_Click();
    expectDriverDone();
    for (const char* name : {"Text1", "Text19", "Text20", "Text15", "Text18", "Text11", "Text13_2", "Text14_3"}) {
        EXPECT_EQ(field(name), typed.findChild<QLineEdit*>(name)->text()) << name;
    }
    EXPECT_EQ(typed.table().document().observations(), window.table().document().observations());
}

TEST_F(ObservationTableTest, TheOptionRecomputesWhileTypingWithoutMessages) {
    ASSERT_TRUE(window.table().openFile(examples / "known-side.csv"));
    window.findChild<QCheckBox*>("RecomputeWhileTyping")->setChecked(true);
    type(EnteredValue::b1, "44.1311");  // one second less: w1 from 2.00″ to 1.00″
    EXPECT_EQ(field("Text15"), " 1.00 秒");
    type(EnteredValue::xb, "1000");
    type(EnteredValue::yb, "1000");  // B on A: the run stops, said in the status line only
    EXPECT_EQ(field("Text15"), " 1.00 秒");
    EXPECT_TRUE(driver.failures.empty());
}

TEST_F(ObservationTableTest, UndoAndRedoFollowTheCellsTyped) {
    type(EnteredValue::xa, "100");
    type(EnteredValue::ya, "200");
    type(EnteredValue::xa, "300");
    trigger("Undo");
    EXPECT_EQ(cell(EnteredValue::xa).text(), "100");  // the keystrokes of one cell are one step
    trigger("Undo");
    EXPECT_EQ(cell(EnteredValue::ya).text(), "");
    trigger("Redo");
    EXPECT_EQ(cell(EnteredValue::ya).text(), "200");
    EXPECT_EQ(cell(EnteredValue::xa).text(), "100");
    EXPECT_TRUE(window.windowTitle().contains('*'));
}

TEST_F(ObservationTableTest, UnsavedInputIsAskedAboutBeforeItIsLost) {
    type(EnteredValue::b1, "44.13120");
    driver.then([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
    trigger("NewTable");
    EXPECT_EQ(cell(EnteredValue::b1).text(), "44.13120");  // 取消 keeps the input

    window.show();
    driver.then([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    const fs::path saved = fs::temp_directory_path() / ("morvalen-table-" + std::to_string(::getpid()) + ".csv");
    ASSERT_TRUE(window.table().saveAs(saved));
    EXPECT_FALSE(window.table().document().modified());
    EXPECT_TRUE(window.close());  // saved: no question
    expectDriverDone();
    fs::remove(saved);
}

TEST_F(ObservationTableTest, TheDialogueFillsTheTableAndAStopLosesNothing) {
    ASSERT_TRUE(window.table().openFile(examples / "azimuth.csv"));  // emptied when the dialogue starts
    std::vector<std::string> replies = confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames);
    replies.insert(replies.end(), {"44.13120", "", "44.2OO42", ""});  // a letter O for a zero in b(2)
    driver.replies(replies);
    driver.acknowledgeMessage();
    window.Command1_Click();
    expectDriverDone();
    const Observations& table = window.table().document().observations();
    EXPECT_EQ(table.xb, "1010");
    EXPECT_EQ(table.names[4], "B");
    EXPECT_EQ(table.angles[0], "44.13120");
    EXPECT_EQ(table.angles[1], "44.2OO42");
    EXPECT_EQ(table.angles[2], "");
    EXPECT_TRUE(cell(EnteredValue::b2).property("problem").toString().contains("44.2OO42"));  // the stop's reason
    trigger("Undo");  // the whole dialogue is one step: the file's data set comes back
    EXPECT_EQ(window.table().document().observations().xb, "0");
}

// A file from Excel on a Chinese Windows (GB 18030, CRLF, no byte-order mark) corrected in the table and saved stays a
// file of that encoding, its other rows as they were.
TEST_F(ObservationTableTest, SavingKeepsTheFilesEncodingAndRows) {
    const fs::path file = fs::temp_directory_path() / ("morvalen-gb-" + std::to_string(::getpid()) + ".csv");
    const std::string header = "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\r\n";
    const std::string row = ",1000,1000,1010,1175,\xB1\xB1\xC9\xBD,P1,P2,B,44.13120,44.20042,49.18030,42.08428,"
                            "33.10401,55.22345,54.03519,37.22520\r\n";  // 北山 in GB 18030
    std::ofstream(file, std::ios::binary) << header << "Q1" << row << "Q2" << row;
    driver.reply("文件第 3 行，id：Q2");
    ASSERT_TRUE(window.table().openFile(file));
    EXPECT_EQ(cell(EnteredValue::nameA).text(), "北山");
    type(EnteredValue::b1, "44.1311");
    trigger("SaveTable");
    expectDriverDone();
    std::ifstream saved(file, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(saved), {});
    EXPECT_EQ(bytes, header + "Q1" + row + "Q2" + row.substr(0, row.find("44.13120")) + "44.1311" +
                         row.substr(row.find("44.13120") + 8));
    EXPECT_FALSE(window.windowTitle().contains('*'));
    fs::remove(file);
}

TEST_F(ObservationTableTest, ACsvDroppedOnTheWindowIsOpened) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((examples / "azimuth.csv").string()))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_EQ(cell(EnteredValue::Qa).text(), "153.2505");
    EXPECT_TRUE(window.windowTitle().startsWith("azimuth.csv"));
}

TEST_F(ObservationTableTest, AFieldBookFillsTheAnglesAndTheNamesNotTyped) {
    type(EnteredValue::nameA, "A");
    ASSERT_TRUE(window.table().fillFromFieldBook(examples / "field-book.csv"));
    const Observations& table = window.table().document().observations();
    EXPECT_EQ(table.names[1], "P1");
    EXPECT_EQ(table.names[4], "B");
    EXPECT_EQ(table.angles[0].substr(0, 5), "44.13");
    EXPECT_TRUE(observationProblems(table).size() == 4u);  // Xa, Ya, Xb, Yb still to type
    trigger("Undo");
    EXPECT_EQ(cell(EnteredValue::b1).text(), "");
}

// The longest message of the window, the refusal to print, wraps instead of being cut at the box's edge.
TEST_F(ObservationTableTest, AMessageBoxShowsItsTextWhole) {
    bool whole = false;
    driver.then([&whole](QWidget* modal) {
        const auto* label = modal->findChild<QLabel*>("qt_msgbox_label");
        whole = label->wordWrap() && label->heightForWidth(label->width()) <= label->height() &&
                label->geometry().right() < modal->width();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    trigger("PrintReport");
    expectDriverDone();
    EXPECT_TRUE(whole);
}

}  // namespace
