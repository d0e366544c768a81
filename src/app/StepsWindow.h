// The window 平差计算过程 and the menu 计算过程 that opens it: the tables of the last computation step by step, as
// the pages 平差计算过程 print them, with a button that prints them.
#pragma once

#include <QDialog>
#include <QMenu>

#include "command/RunRecord.h"
#include "exercise/AnswerCheck.h"
#include "report/StepsTables.h"

namespace morvalen {
struct SurveyState;
}

namespace morvalen::app {

class StepsWindow : public QDialog {
    Q_OBJECT

public:
    // `printable`: the computation ran to its end; the tables of a stopped run are shown but not printed, like its
    // report.
    // With `verdict`, a student's filled sheet checked against the run: the verdict above the tables, and every cell
    // of the sheet marked in its table (green right, red wrong, yellow following from a wrong one).
    StepsWindow(const report::StepsDocument& document, bool printable, QWidget* parent,
                const exercise::AnswerVerdict* verdict = nullptr);

public slots:
    // Prints the tables as the report prints (default printer, or a PDF file where there is none).
    void printSteps();

private:
    report::StepsDocument document_;
};

// 计算过程 with the items 计算过程表…, which shows the steps of the computation the window holds now, from the
// record of its last run, and 核对我的答卷…, which checks a filled answer sheet (key,value) against them.
class StepsMenu : public QMenu {
    Q_OBJECT

public:
    StepsMenu(const RunRecord& run, QWidget* window);

public slots:
    void showSteps();
    void checkAnswer();

private:
    const RunRecord& run_;
    QWidget* window_;
};

}  // namespace morvalen::app
