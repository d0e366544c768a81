// The tab 严密平差 of the checks window: there after a run whose angles came from a field book, absent otherwise; its
// figures on the example book with distances, and the plot with both sets of ellipses.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinterInfo>
#include <QTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ModalDriver.h"
#include "analysis/GradeTable.h"
#include "report/BothEllipsesDrawing.h"
#include "app/ChecksMenu.h"
#include "app/ChecksWindow.h"
#include "app/FieldBookWindow.h"
#include "app/FileMenu.h"
#include "app/MainWindow.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::app {
namespace {

using namespace morvalen::testing;

// Opens 检核结果… of the window and hands the checks window to `look` before closing it.
void lookAtChecks(MainWindow& window, const std::function<void(ChecksWindow&)>& look) {
    auto* menu = window.findChild<ChecksMenu*>();
    menu->setStandard(analysis::CheckStandard::ofGrade(*analysis::findGrade("四等")));
    ModalDriver driver;
    driver.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<ChecksWindow*>(modal);
        ASSERT_NE(dialog, nullptr);
        look(*dialog);
        dialog->reject();
    });
    menu->showChecks();
    EXPECT_EQ(driver.stepsLeft(), 0u);
}

bool paints(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) return true;
        }
    }
    return false;
}

TEST(RigorousTab, BesideTheClassicalChecksWhenAFieldBookGaveTheAngles) {
    MainWindow window;
    ScriptedPrompt typed(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    window.computeFrom(typed);
    lookAtChecks(window, [](ChecksWindow& dialog) {
        EXPECT_EQ(dialog.findChild<QTabWidget*>("ChecksTabs"), nullptr) << "typed angles: no directions to adjust";
    });

    window.findChild<FileMenu*>()->openFieldBook(std::string(MORVALEN_EXAMPLES_DIR) + "/field-book-distances.csv");
    auto* book = window.findChild<FieldBookWindow*>();
    ASSERT_NE(book, nullptr);
    {
        ModalDriver driver;
        driver.replies(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames));
        book->findChild<QPushButton*>("UseForComputation")->click();
        EXPECT_TRUE(driver.failures.empty());
    }
    lookAtChecks(window, [](ChecksWindow& dialog) {
        auto* tabs = dialog.findChild<QTabWidget*>("ChecksTabs");
        ASSERT_TRUE(tabs && tabs->count() == 2 && tabs->tabText(1) == "严密平差");
        // 24 directions (four stations, two rounds, three targets) and 6 distances, 2 mm + 2 ppm and 2″.
        const QString summary = dialog.findChild<QLabel*>("RigorousSummary")->text();
        EXPECT_TRUE(summary.contains("24 个方向，6 个距离；多余观测数 18")) << summary.toStdString();
        EXPECT_TRUE(summary.contains("σ0 = 0.460")) << summary.toStdString();
        const auto* stations = dialog.findChild<QTableWidget*>("RigorousStations");
        ASSERT_EQ(stations->rowCount(), 4);
        EXPECT_TRUE(stations->item(0, 3)->text() == "固定" && stations->item(3, 3)->text() == "固定");
        EXPECT_EQ(dialog.findChild<QTableWidget*>("RigorousDifferences")->rowCount(), 2);
        EXPECT_EQ(dialog.findChild<QTableWidget*>("RigorousObservations")->rowCount(), 30);
        // Both sets of ellipses are drawn, each in its own colour, above the legend (its lowest 80 pixels).
        const QImage whole = dialog.findChild<QWidget*>("BothEllipsesPlot")->grab().toImage();
        const QImage image = whole.copy(0, 0, whole.width(), whole.height() - 80);
        for (const report::Colour colour : {report::classicalEllipseColour, report::rigorousEllipseColour}) {
            EXPECT_TRUE(paints(image, QColor(colour.red, colour.green, colour.blue)));
        }

        // Other a priori σ typed and adjusted again: the summary says so; a σ that is no positive number is refused
        // and the results shown stay.
        const auto adjustWith = [&dialog](const QString& direction, const QString& distance) {
            dialog.findChild<QLineEdit*>("RigorousDirectionSigma")->setText(direction);
            dialog.findChild<QLineEdit*>("RigorousDistanceSigma")->setText(distance);
            dialog.findChild<QPushButton*>("RigorousAdjustAgain")->click();
            return std::pair{dialog.findChild<QLabel*>("RigorousSummary")->text(),
                             dialog.findChild<QLabel*>("RigorousRefusal")->text()};
        };
        const auto [again, none] = adjustWith("4", "3,1");
        EXPECT_TRUE(again.contains("方向 σ = 4.00″") && again.contains("测距 3.0 mm + 1.0 ppm")) << again.toStdString();
        EXPECT_FALSE(again.contains("σ0 = 0.460")) << again.toStdString();
        EXPECT_TRUE(none.isEmpty());
        for (const auto& [direction, distance] : {std::pair{"0", "2,2"}, {"x", "2,2"}, {"2", "2"}, {"2", "-1,2"}}) {
            const auto [kept, refusal] = adjustWith(direction, distance);
            EXPECT_EQ(kept, again) << direction << " " << distance;
            EXPECT_FALSE(refusal.isEmpty()) << direction << " " << distance;
        }
    });

    // 打印检核页 prints the tab's page and its plot after the classical pages (to a PDF file without a printer), with
    // the σ typed above (kept for the session).
    if (!QPrinterInfo::defaultPrinter().isNull()) return;
    const std::filesystem::path pdf =
        std::filesystem::temp_directory_path() / ("morvalen-rigorous-tab-" + std::to_string(::getpid()) + ".pdf");
    const auto saveAsPdf = [&pdf](QWidget* modal) {
        qobject_cast<QFileDialog*>(modal)->selectFile(QString::fromStdString(pdf.string()));
        qobject_cast<QDialog*>(modal)->accept();
    };
    const auto expectPrinted = [&pdf](std::initializer_list<const char*> expected) {  // in this order
        const std::string text = runShellCommand("pdftotext -layout '" + pdf.string() + "' -").output;
        std::size_t at = 0;
        for (const char* line : expected) EXPECT_NE(at = text.find(line, at), std::string::npos) << line;
        std::filesystem::remove(pdf);
    };
    // The button is pressed after the driver's step, so that the dialogs it opens come to the driver in turn.
    auto printing = std::make_unique<ModalDriver>();
    QPointer<QDialog> checks;
    printing->then([&checks](QWidget* modal) {
        checks = qobject_cast<ChecksWindow*>(modal);
        QTimer::singleShot(0, checks->findChild<QPushButton*>("PrintChecks"), &QPushButton::click);
    });
    printing->then(saveAsPdf);
    printing->then([&checks](QWidget* modal) {
        qobject_cast<QDialog*>(modal)->accept();  // 报表已保存为 PDF 文件
        QTimer::singleShot(0, checks, &QDialog::reject);
    });
    window.findChild<ChecksMenu*>()->showChecks();
    EXPECT_TRUE(printing->failures.empty());
    printing.reset();  // a driver left running would answer the next dialogs too
    expectPrinted({"--- 检核与精度分析 ---", "--- 严密平差", "方向 σ = 4.00″", "经典平差与严密平差的点位误差椭圆"});

    // 打 印 prints the report, the book's reduction and the same rigorous page with the σ of the session.
    ModalDriver report;
    report.then(saveAsPdf);
    report.then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    window.findChild<QPushButton*>("Command3")->click();
    EXPECT_TRUE(report.failures.empty());
    expectPrinted({"--- Morvalen ---", "--- 严密平差", "方向 σ = 4.00″", "经典平差与严密平差的点位误差椭圆"});
}

}  // namespace
}  // namespace morvalen::app
