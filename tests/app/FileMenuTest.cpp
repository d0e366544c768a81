// The menu 文件 of the window: a typed run saved and opened again in a new window shows the same fields; nothing is
// exported without a completed computation.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ModalDriver.h"
#include "app/FileMenu.h"
#include "app/MainWindow.h"
#include "entry/FieldModel.h"
#include "files/ObservationFile.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

using namespace morvalen;
using namespace morvalen::testing;
using morvalen::app::FileMenu;
using morvalen::app::MainWindow;
namespace fs = std::filesystem;

QString text(const MainWindow& window, const QString& objectName) {
    return window.findChild<QLineEdit*>(objectName)->text();
}

void expectSameFields(const MainWindow& typed, const MainWindow& opened) {
    for (const auto& name : FieldModel::singleFieldNames()) {
        const QString objectName = QString::fromStdString(name);
        EXPECT_EQ(text(typed, objectName), text(opened, objectName)) << name;
    }
    for (const auto& [name, size] : FieldModel::fieldArrays()) {
        for (int i = 0; i < size; ++i) {
            const QString objectName = QString("%1_%2").arg(QString::fromStdString(name)).arg(i);
            EXPECT_EQ(text(typed, objectName), text(opened, objectName)) << name << "(" << i << ")";
        }
    }
}

class FileMenuTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("morvalen-file-menu-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    void expectDriverDone() const {
        EXPECT_TRUE(driver.failures.empty()) << driver.failures.front();
        EXPECT_EQ(driver.stepsLeft(), 0u);
    }

    ModalDriver driver;
};

TEST_F(FileMenuTest, SavedRunsOpenInANewWindowWithTheSameFields) {
    MainWindow typedKnownSide, typedAzimuth;
    FileMenu typedKnownSideMenu(typedKnownSide), typedAzimuthMenu(typedAzimuth);
    const fs::path file = folder / "观测.csv";

    // Known side, the coordinate of A corrected once.
    driver.replies(std::vector<std::string>{"1100", "0", "1000", ""} +
                   confirmedEach({knownSideCoordinates.begin() + 1, knownSideCoordinates.end()}) +
                   confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    typedKnownSide.findChild<QPushButton*>("Command1")->click();
    typedKnownSideMenu.saveObservations(file);
    driver.replies(confirmedEach(azimuthCoordinates) + confirmedEach({"130.8625", "1", "200.0000", "153.2505"}) +
                   confirmedEach(azimuthNames) + confirmedEach(workedAngles));
    typedAzimuth.findChild<QPushButton*>("Command1")->click();
    typedAzimuthMenu.saveObservations(file);
    expectDriverDone();

    MainWindow opened;
    FileMenu openedMenu(opened);
    driver.reply("文件第 2 行，id：1");  // the rows as the spreadsheet shows them, the header row 1
    openedMenu.openObservations(file);
    expectSameFields(typedKnownSide, opened);
    EXPECT_EQ(text(opened, "Text1"), " 1000.000");
    driver.reply("文件第 3 行，id：2");
    openedMenu.openObservations(file);
    expectSameFields(typedAzimuth, opened);
    expectDriverDone();
    EXPECT_EQ(driver.prompts.size(), 32u + 42u + 2u + 1u + 1u) << "the typed prompts, one correction, two row choices";

    // A run opened from a file and saved again is the same data set under a new id.
    openedMenu.saveObservations(file);
    const auto rows = files::readObservationFile(file).rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].cells.front(), "3");
    EXPECT_EQ(std::vector(rows[2].cells.begin() + 1, rows[2].cells.end()),
              std::vector(rows[1].cells.begin() + 1, rows[1].cells.end()));
}

TEST_F(FileMenuTest, NothingIsSavedOrExportedBeforeAComputation) {
    MainWindow window;
    FileMenu menu(window);
    EXPECT_EQ(menu.title(), "文件");
    QStringList actions;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator()) actions << action->text();
    }
    EXPECT_EQ(actions, (QStringList{"打开并立即计算(&I)…", "观测手簿归算与检核(&K)…", "上次计算的观测数据加入文件(&L)…",
                                    "导出成果(&E)…", "退出(&Q)"}));
    driver.acknowledgeMessage();
    menu.saveObservations(folder / "saved.csv");
    driver.acknowledgeMessage();
    menu.exportResults(folder / "results.xlsx");
    driver.acknowledgeMessage();
    menu.openObservations(folder / "missing.csv");
    expectDriverDone();
    ASSERT_EQ(driver.messages.size(), 3u);
    EXPECT_NE(driver.messages[1].find("results.xlsx"), std::string::npos);
    EXPECT_NE(driver.messages[2].find("missing.csv：文件不存在"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder));
}

// A campaign of more rows than a list shows is searched: the id typed narrows the rows to one, Enter opens it.
TEST_F(FileMenuTest, ALongCampaignIsSearchedForItsRow) {
    const fs::path file = folder / "long.csv";
    std::ofstream out(file);
    out << "id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\n";
    for (int i = 1; i <= 250; ++i) out << "R" << i << ",1000,1000,1010,1175,A,P1,P2,B,44,44,49,42,33,55,54,37\n";
    out.close();
    MainWindow opened;
    FileMenu menu(opened);
    QStringList shown;
    driver.then([&shown](QWidget* modal) {
        const auto* count = modal->findChild<QLabel*>("RowCount");
        shown << count->text();
        modal->findChild<QLineEdit*>("RowSearch")->setText("id：r240");
        shown << count->text() << modal->findChild<QListWidget*>("RowList")->currentItem()->text();
        QTest::keyClick(modal->findChild<QLineEdit*>("RowSearch"), Qt::Key_Return);
    });
    menu.openObservations(file);
    expectDriverDone();
    EXPECT_EQ(shown, (QStringList{"共 250 行相符，列出前 200 行：输入 id 可缩小范围", "共 1 行", "文件第 241 行，id：R240"}));
    EXPECT_EQ(opened.openedRowId(), "R240");
}

}  // namespace
