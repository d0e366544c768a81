// The menu 检核 and the window of the checks: the choice of a standard, the reason when there is nothing to check,
// and the checks that fail in red.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "QtTestEnvironment.h"
#include "analysis/ChecksText.h"
#include "analysis/NetworkPrecision.h"
#include "app/ChecksMenu.h"
#include "app/ChecksWindow.h"
#include "app/MainWindow.h"
#include "support/CompletedComputation.h"

namespace morvalen::app {
namespace {

QAction* actionNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text || action->text().startsWith(text + "(&")) return action;  // with its Alt letter
        if (action->menu()) {
            if (QAction* found = actionNamed(*action->menu(), text)) return found;
        }
    }
    return nullptr;
}

TEST(ChecksMenu, ChoosesAStandardAndSaysWhyThereIsNothingToCheckYet) {
    MainWindow window;
    const auto* bar = window.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_FALSE(bar->actions().isEmpty());
    EXPECT_EQ(bar->actions().back()->text(), "检核(&C)");
    auto* menu = window.findChild<ChecksMenu*>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->standard().has_value());

    QAction* fourthOrder = actionNamed(*menu, "四等");
    ASSERT_NE(fourthOrder, nullptr);
    fourthOrder->trigger();
    ASSERT_TRUE(menu->standard().has_value());
    EXPECT_EQ(menu->standard()->grade, analysis::findGrade("四等"));
    EXPECT_TRUE(fourthOrder->isChecked());
    actionNamed(*menu, "国家一等")->trigger();
    EXPECT_FALSE(fourthOrder->isChecked());

    QString shown;
    testing::ModalDriver driver;
    driver.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<ChecksWindow*>(modal);
        ASSERT_NE(dialog, nullptr);
        const auto* reason = dialog->findChild<QLabel*>("NothingToCheck");
        ASSERT_NE(reason, nullptr);
        shown = reason->text();
        dialog->reject();
    });
    menu->showChecks();
    EXPECT_EQ(shown.toStdString(), analysis::nothingToCheck(window.surveyState()));
}

TEST(ChecksWindow, FailedChecksAreInRedAndTheVerdictNamesThem) {
    auto angles = testing::workedAngles;
    angles[2] = "49.18180";  // b(3) 15″ too large
    const RunRecord run = testing::computeKnownSideRun(angles);
    const auto checks = analysis::checkComputation(run, analysis::CheckStandard::ofGrade(*analysis::findGrade("一级")));
    ASSERT_TRUE(checks);
    const ChecksWindow dialog(checks, {}, nullptr);
    const auto* table = dialog.findChild<QTableWidget*>("ChecksTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 8);
    EXPECT_EQ(table->item(0, 3)->text(), "超限");  // b1+b2+b3+b4: 17″ against 15″
    EXPECT_EQ(table->item(0, 3)->foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(table->item(1, 3)->text(), "合格");
    EXPECT_NE(table->item(1, 3)->foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(table->item(0, 1)->text(), "17.00 秒");
    const auto* verdict = dialog.findChild<QLabel*>("Verdict");
    ASSERT_NE(verdict, nullptr);
    EXPECT_EQ(verdict->text(), "检核结论：超限（三角形闭合差、测角中误差）");
    EXPECT_EQ(verdict->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialog.findChild<QTableWidget*>("AnglesTable")->rowCount(), 8);
}

TEST(ChecksWindow, PrecisionOfTheStationsBesideThePlotOfTheNetwork) {
    const RunRecord run = testing::computeKnownSideRun(testing::workedAngles);
    const auto standard = analysis::CheckStandard::ofGrade(*analysis::findGrade("四等"));
    const auto precision = analysis::analysePrecision(run, standard.sigma);
    ASSERT_TRUE(precision);
    ChecksWindow dialog(analysis::checkComputation(run, standard), {}, nullptr, precision);
    const auto* stations = dialog.findChild<QTableWidget*>("PrecisionTable");
    ASSERT_NE(stations, nullptr);
    ASSERT_EQ(stations->rowCount(), 2);  // P1 and P2
    EXPECT_EQ(stations->item(1, 0)->text(), "P2");
    EXPECT_EQ(stations->item(1, 3)->text().toStdString(), analysis::decimalText(precision->stations[2].mp, 2));
    EXPECT_NE(dialog.findChild<QLabel*>("WeakestSide")->text().indexOf("S( 3 )"), -1);
    const auto* pairs = dialog.findChild<QTableWidget*>("RelativePrecisionTable");
    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(pairs->rowCount(), 5);  // every pair but A-B, which the note explains
    EXPECT_EQ(pairs->item(4, 0)->text(), "P2-B");
    EXPECT_EQ(pairs->item(4, 5)->text().toStdString(), analysis::decimalText(precision->relative[4].ellipse.a, 2));
    EXPECT_NE(dialog.findChild<QLabel*>("LargestRelative")->text().indexOf("A-B"), -1);
    // The plot is painted: the weakest side in red, the ellipses of the stations in blue, those between them in green.
    auto* plot = dialog.findChild<QWidget*>("NetworkPlot");
    ASSERT_NE(plot, nullptr);
    plot->resize(520, 560);
    const QImage image = plot->grab().toImage();
    bool red = false, blue = false, green = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            red = red || (colour.red() > 150 && colour.green() < 60 && colour.blue() < 60);
            blue = blue || (colour.blue() > 150 && colour.red() < 60);
            green = green || (colour.green() > 110 && colour.red() < 60 && colour.blue() < 110);
        }
    }
    EXPECT_TRUE(red && blue && green);
    // Without a precision (a stopped run) there is neither.
    const ChecksWindow nothing(std::nullopt, QStringLiteral("无"), nullptr, precision);
    EXPECT_EQ(nothing.findChild<QWidget*>("NetworkPlot"), nullptr);
}

}  // namespace
}  // namespace morvalen::app
