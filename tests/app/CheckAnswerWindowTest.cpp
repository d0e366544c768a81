// 计算过程 → 核对我的答卷… driven as a student uses it: refused before a computation, the sheet chosen in the file
// dialog, the verdict above the tables, every placed cell coloured (green right, red wrong and the first wrong in
// bold, yellow following from it), and a sheet that cannot be read reported, not shown.
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ModalDriver.h"
#include "app/MainWindow.h"
#include "app/StepsWindow.h"
#include "exercise/AnswerCells.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::app {
namespace {

using namespace morvalen::testing;
namespace fs = std::filesystem;

// Chooses `path` in the file dialog of 核对我的答卷…, as typing its name and pressing Open does.
void chooseFile(ModalDriver& driver, const fs::path& path) {
    driver.then([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(path.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST(CheckMyAnswer, MarksTheCellsOfTheSheetOnTheStepsTables) {
    MainWindow window;
    QAction* check = window.findChild<QAction*>("CheckAnswer");
    ASSERT_NE(check, nullptr);
    {
        ModalDriver driver;
        driver.acknowledgeMessage();
        check->trigger();
        ASSERT_EQ(driver.messages.size(), 1u);
        EXPECT_NE(driver.messages[0].find("没有完成的计算"), std::string::npos);
    }
    ScriptedPrompt complete(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    window.computeFrom(complete);

    // The program's own printed values, but for a wrong cell X and a wrong cell Y computed from X: X is the first
    // wrong, Y follows from it.
    const std::vector<exercise::AnswerCell> cells = exercise::answerCells(window.lastRun().steps);
    const auto placed = [](const std::string& key) { return exercise::tablePlace(key).has_value(); };
    const auto follower = std::find_if(cells.begin(), cells.end(), [&](const exercise::AnswerCell& cell) {
        return placed(cell.key) && !cell.from.empty() && placed(cell.from.front());
    });
    ASSERT_NE(follower, cells.end());
    const std::string wrong = follower->from.front(), following = follower->key;
    const fs::path sheet = fs::temp_directory_path() / ("morvalen-sheet-" + std::to_string(::getpid()) + ".csv");
    std::ofstream out(sheet);
    out << "key,value\n";
    for (const exercise::AnswerCell& cell : cells) {
        out << cell.key << ',' << (cell.key == wrong || cell.key == following ? "12345" : exercise::printedValue(cell)) << '\n';
    }
    out.close();
    QString verdict;
    std::map<std::string, QColor> colours;
    bool firstWrongBold = false;
    {
        ModalDriver driver;
        chooseFile(driver, sheet);
        driver.then([&](QWidget* modal) {
            auto* steps = qobject_cast<StepsWindow*>(modal);
            ASSERT_NE(steps, nullptr);
            verdict = steps->findChild<QLabel*>("AnswerVerdict")->text();
            for (const exercise::AnswerCell& cell : cells) {
                const auto place = exercise::tablePlace(cell.key);
                if (!place) continue;
                const auto* table = steps->findChild<QTableWidget*>(QStringLiteral("StepsTable%1").arg(place->table));
                ASSERT_NE(table, nullptr) << cell.key;
                const QTableWidgetItem* item = table->item(place->row, place->column);
                colours[cell.key] = item->background().color();
                if (cell.key == wrong) firstWrongBold = item->font().bold();
            }
            steps->reject();
        });
        check->trigger();
        EXPECT_TRUE(driver.failures.empty());
    }
    EXPECT_TRUE(verdict.startsWith(QString::fromStdString("第一个错误：" + wrong))) << verdict.toStdString();
    EXPECT_EQ(colours.at(wrong), QColor(250, 190, 190));
    EXPECT_TRUE(firstWrongBold);
    EXPECT_EQ(colours.at(following), QColor(250, 240, 170));
    colours.erase(wrong);
    colours.erase(following);
    for (const auto& [key, colour] : colours) EXPECT_EQ(colour, QColor(200, 240, 200)) << key;

    // A sheet that is no answer sheet: the reason in a message, no verdict.
    std::ofstream(sheet) << "name,score\nA,1\n";
    {
        ModalDriver driver;
        chooseFile(driver, sheet);
        driver.acknowledgeMessage();
        check->trigger();
        EXPECT_EQ(driver.stepsLeft(), 0u);
        EXPECT_EQ(driver.messages.size(), 1u);
    }
    fs::remove(sheet);
}

}  // namespace
}  // namespace morvalen::app
