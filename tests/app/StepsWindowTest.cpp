// The menu 计算过程 and its window: the tables of the last computation, printable only after a complete one.
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/StepsWindow.h"
#include "app/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::app {
namespace {

using namespace morvalen::testing;

// Opens 计算过程表… and reads the window: its tables' row counts and whether it can print.
std::pair<std::vector<int>, bool> shownSteps(MainWindow& window) {
    std::vector<int> rows;
    bool printable = false;
    ModalDriver driver;
    driver.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<StepsWindow*>(modal);
        ASSERT_NE(dialog, nullptr);
        for (int i = 1; auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("StepsTable%1").arg(i)); ++i) {
            rows.push_back(table->rowCount());
        }
        printable = dialog->findChild<QPushButton*>("PrintSteps")->isEnabled();
        dialog->reject();
    });
    window.findChild<QAction*>("ShowSteps")->trigger();
    return {rows, printable};
}

TEST(StepsWindow, ShowsTheTablesOfTheLastComputation) {
    MainWindow window;
    EXPECT_EQ(shownSteps(window), std::make_pair(std::vector<int>{}, false));

    ScriptedPrompt complete(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) +
                            confirmedEach(workedAngles));
    window.computeFrom(complete);
    // First group, second group, normal equations, checks, precision, side chain, traverse (A, P1, P2, B).
    EXPECT_EQ(shownSteps(window), std::make_pair(std::vector<int>{10, 8, 3, 4, 11, 3, 4}, true));

    const std::vector<std::string> angles = {"200", "-10", "-5", "-5", "33.10401", "55.22345", "54.03519", "37.22520"};
    ScriptedPrompt stopping(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(angles));
    {
        ModalDriver acknowledge;
        acknowledge.acknowledgeMessage();
        window.computeFrom(stopping);
    }
    EXPECT_EQ(shownSteps(window), std::make_pair(std::vector<int>{10}, false));
}

}  // namespace
}  // namespace morvalen::app
