// The window of a field book: its checks with 超限 in red, and 用于计算 giving the fields of the typed angles.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

#include "ModalDriver.h"
#include "app/ChecksMenu.h"
#include "app/FieldBookWindow.h"
#include "app/FileMenu.h"
#include "app/MainWindow.h"
#include "app/TableCommands.h"
#include "app/TableCells.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace {

using namespace morvalen;
using namespace morvalen::testing;
namespace fs = std::filesystem;

TEST(FieldBookWindowTest, ChecksInRedAndAnglesUsedForTheComputation) {
    ModalDriver driver;
    const fs::path book = fs::temp_directory_path() / ("morvalen-field-book-" + std::to_string(::getpid()) + ".csv");
    std::ostringstream example;
    example << std::ifstream(std::string(MORVALEN_EXAMPLES_DIR) + "/field-book.csv").rdbuf();
    std::string text = example.str();
    text.replace(text.find("A,1,P1,0.00200"), 14, "A,1,P1,0.00300");  // a closure of 9.4″ in A's first round
    std::ofstream(book) << text;

    app::MainWindow typed, fromBook;
    driver.replies(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles));
    typed.findChild<QPushButton*>("Command1")->click();
    app::ChecksMenu checksMenu(fromBook.lastRun(), &fromBook);
    app::FileMenu menu(fromBook, &checksMenu);
    menu.openFieldBook(book);
    fs::remove(book);
    auto* window = fromBook.findChild<app::FieldBookWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->findChild<QLabel*>("FieldBookAngles")->text().contains("四边形（顺时针）：A、P1、P2、B"));
    const auto* checks = window->findChild<QTableWidget*>("FieldBookChecks");
    EXPECT_EQ(checks->item(0, 4)->text(), "超限");
    EXPECT_EQ(checks->item(0, 4)->foreground().color(), app::failedColour);
    EXPECT_EQ(checks->item(1, 4)->text(), "合格");
    window->findChild<QComboBox*>("InstrumentClass")->setCurrentIndex(3);  // 6″: 18″ for the closure
    EXPECT_EQ(checks->item(0, 4)->text(), "合格");
    EXPECT_EQ(checks->item(1, 3)->text(), "无限差");
    window->findChild<QPushButton*>("UseSigmaForChecks")->click();
    ASSERT_TRUE(checksMenu.standard());
    EXPECT_EQ(checksMenu.standard()->sigma, 1.24) << "the σ of an angle as the window shows it";

    // The closing reading moves the start direction of A's first round by 2.5″: b(1) = 44°13′10.75″, while b(8)
    // between the two directions it moved alike, and the angles at the other stations, stay as typed.
    driver.replies(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames));
    window->findChild<QPushButton*>("UseForComputation")->click();
    EXPECT_TRUE(driver.failures.empty());
    EXPECT_EQ(driver.stepsLeft(), 0u);
    EXPECT_EQ(driver.prompts.size(), 32u + 16u) << "the typed run, then the eight entries without the angles";
    EXPECT_EQ(fromBook.findChild<QLineEdit*>("Text7_0")->text(), " 44.13108");
    EXPECT_EQ(fromBook.table().document().observations().angles[0], "44.13108");  // the book's angles in the table
    for (const char* field : {"Text7_1", "Text7_7"}) {
        EXPECT_EQ(fromBook.findChild<QLineEdit*>(field)->text(), typed.findChild<QLineEdit*>(field)->text()) << field;
    }
}

// A total station's GSI file opens into the field book window like a CSV book.
TEST(FieldBookWindowTest, OpensAGsiFile) {
    app::MainWindow main;
    app::FileMenu menu(main, nullptr);
    menu.openFieldBook(std::string(MORVALEN_EXAMPLES_DIR) + "/../tests/fieldbook/raw/gsi8-gon-metres-station-records.gsi");
    auto* window = main.findChild<app::FieldBookWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->findChild<QLabel*>("FieldBookAngles")->text().contains("四边形（顺时针）：A、P1、P2、B"));
    EXPECT_TRUE(window->findChild<QLabel*>("FieldBookAngles")->text().contains("44.13120"));
}

}  // namespace
