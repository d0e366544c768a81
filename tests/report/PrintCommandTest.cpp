// The print command of the window, offscreen: its message boxes and its save dialog answered as a surveyor would.
#include "app/PrintCommand.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "command/ComputeCommand.h"
#include "entry/FieldModel.h"
#include "report/ReportModel.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::app {
namespace {

namespace fs = std::filesystem;
using morvalen::testing::confirmedEach;
using morvalen::testing::operator+;

using Answer = std::function<void(QWidget*)>;

// Answers the modal dialogs that open while `command` runs, one answer each, in order. A dialog beyond the answers
// is rejected and counted, so that an unexpected message box fails the test instead of blocking it.
int answerModals(const std::vector<Answer>& answers, const std::function<void()>& command) {
    std::size_t next = 0;
    int unexpected = 0;
    QPointer<QWidget> answered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog == answered) return;
        answered = dialog;
        if (next < answers.size()) answers[next++](dialog);
        else ++unexpected;
        // A dialog that its answer left open (or that was not expected) is dismissed, never left blocking.
        if (auto* open = qobject_cast<QDialog*>(dialog); open && open->isVisible()) open->reject();
    });
    poll.start(10);
    command();
    return unexpected + static_cast<int>(answers.size() - next);
}

SurveyState completedKnownSideRun() {
    SurveyState state;
    morvalen::testing::ScriptedPrompt prompt(confirmedEach(morvalen::testing::knownSideCoordinates) +
                                             confirmedEach(morvalen::testing::knownSideNames) +
                                             confirmedEach(morvalen::testing::workedAngles));
    FieldModel fields;
    runComputeCommand(state, prompt, fields);
    return state;
}

std::string pdfText(const std::string& path) {
    FILE* pipe = popen(("pdftotext -layout '" + path + "' -").c_str(), "r");
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    pclose(pipe);
    return text;
}

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed: nothing to save";
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Types `path` as the file name of the save dialog and accepts it, noting the name the dialog proposed.
    Answer saveAs(const std::string& path) {
        return [this, path](QWidget* dialog) {
            auto* save = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(save, nullptr);
            proposed = save->selectedFiles().value(0).toStdString();
            auto* fileName = save->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(fileName, nullptr);
            fileName->setText(QString::fromStdString(path));
            static_cast<QDialog*>(save)->accept();  // the dialog's own accept checks the typed name
        };
    }
    Answer readMessage() {
        return [this](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            message = box->text().toStdString();
            detail = box->informativeText().toStdString();
            box->accept();
        };
    }

    const fs::path folder = fs::temp_directory_path() / ("morvalen-print-" + std::to_string(::getpid()));
    std::string proposed;
    std::string message;
    std::string detail;
};

TEST_F(PrintCommand, RefusesWhenNoComputationHasCompleted) {
    const SurveyState nothing;
    EXPECT_EQ(answerModals({readMessage()}, [&] { printReport(nothing, nullptr); }), 0);
    EXPECT_EQ(message, std::string(report::nothingToPrint));
}

TEST_F(PrintCommand, WithoutAPrinterSavesTheReportAsPdf) {
    const SurveyState state = completedKnownSideRun();
    const SurveyState before = state;
    const std::string first = (folder / "first.pdf").string();
    const std::string second = (folder / "second.pdf").string();
    EXPECT_EQ(answerModals({saveAs(first), readMessage()}, [&] { printReport(state, nullptr); }), 0);
    EXPECT_TRUE(proposed.ends_with("/morvalen-report.pdf")) << proposed;
    EXPECT_EQ(message, "报表已保存为 PDF 文件：");
    EXPECT_EQ(detail, first);  // the surveyor is told where the file went
    EXPECT_EQ(answerModals({saveAs(second), readMessage()}, [&] { printReport(state, nullptr); }), 0);

    const std::string text = pdfText(first);
    EXPECT_NE(text.find("--- Morvalen ---"), std::string::npos);
    EXPECT_NE(text.find("(由已知边S(ab)推算)"), std::string::npos);
    EXPECT_EQ(text, pdfText(second));  // printing twice gives the same report
    EXPECT_EQ(state.adjustedAngles, before.adjustedAngles);
    EXPECT_EQ(state.pointX, before.pointX);
    EXPECT_TRUE(state.computationComplete);
}

TEST_F(PrintCommand, UnwritableFileIsReportedInAMessage) {
    const SurveyState state = completedKnownSideRun();
    const std::string nowhere = (folder / "missing-folder" / "report.pdf").string();
    EXPECT_EQ(answerModals({saveAs(nowhere), readMessage()}, [&] { printReport(state, nullptr); }), 0);
    EXPECT_EQ(message, "报表没有打印出来：");
    EXPECT_NE(detail.find("无法写入 PDF 文件"), std::string::npos) << detail;
    EXPECT_NE(detail.find(nowhere), std::string::npos) << detail;
}

}  // namespace
}  // namespace morvalen::app

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The save dialog proposes a file in the home folder: an empty one of the test's own, never the user's.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("morvalen-print-home-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home);
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::filesystem::remove_all(home);
    return status;
}
