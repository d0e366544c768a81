// The one window of Morvalen: the diagrams of the braced quadrilateral, the fields of the entered data and the
// results, and the three commands 计 算, 结 束 and 打 印.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/DialogPrompt.h"
#include "app/MenuBar.h"
#include "app/WindowCloseRequests.h"
#include "command/RunRecord.h"
#include "entry/FrontEnd.h"
#include "fieldbook/FieldBookAngles.h"

class QLabel;
class QLineEdit;
class QMessageBox;

namespace morvalen::app {

class ChecksMenu;
class StepsMenu;
class TableCommands;

// Builds the controls of the layout and forwards the commands; the computation itself lives in the core and sees
// the window only as its fields. The fields only show texts: they take no typing, and the program never reads them.
// At the start of a computation every field that holds a text is greyed; a field the computation writes looks normal
// again, so that after a stop the fields it did not reach show that they belong to an earlier computation.
//
// Controls carry their own names as object names; an element of a control array is name_index (Text7_3,
// Label18_0), the lines are DiagramLine widgets named Line1..Line27.
class MainWindow : public QWidget, public WindowFields {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The fields as the computation writes them. A control the window does not have throws std::out_of_range.
    void setText(const Control& field, const std::string& text) override;
    void setCaption(const Control& label, const std::string& caption) override;

    const SurveyState& surveyState() const { return run_.state; }
    // The record of the last computation: the values typed, what the run formed, where it stopped.
    const RunRecord& lastRun() const { return run_; }

    // One computation with the replies given by `answers`, exactly as 计 算 runs it; the values typed are kept for
    // 保存观测数据… and land in the observation table as they are typed.
    void computeFrom(Prompt& answers);
    // One computation from the values of a data set (a row of an observation file, whose id is `rowId`): the fields
    // are written exactly as a dialogue with the same values writes them.
    // A stop is reported in a message box, unless `quietly` (the observation table recomputing while it is typed in),
    // and is kept in lastRun() either way.
    void computeFrom(const Observations& observations, const std::string& rowId = {}, bool quietly = false);
    const Observations& typedValues() const { return run_.observations; }
    // One computation whose eight angle prompts are answered from a field book, the others asked as usual; when it
    // completes, 打 印 prints the field book's reduction as pages after the report.
    void computeFromFieldBook(fieldbook::FieldBookAngles& angles);
    const std::string& openedRowId() const { return openedRowId_; }

    // The observation table beside the layout, with its commands.
    TableCommands& table() { return *table_; }
    // A line in the status line below the window: where a file was written, what is wrong with a cell.
    void showStatus(const QString& message);

    // True when the fields show results that were not computed from the values the observation table holds now
    // (a cell edited, an undo, a new data set, another file opened). They are then greyed, the status line says so,
    // and printing or exporting them asks first; the next computation clears the mark. The window's property
    // "resultsStale" follows it.
    bool resultsStale() const;

public slots:
    // 计 算: one computation from the first prompt to the coordinates. A stopped run is reported in a message box;
    // the fields written so far stay, those of earlier computations stay greyed, and the window stays ready for the
    // next run.
    void Command1_Click();
    // 结 束: ends the program, after asking about unsaved values in the observation table as closing the window does.
    void Command2_Click();
    // 打 印: the report of the last complete computation, with the page of its checks and the plot of the network when
    // a check standard is chosen; stale results are printed only when the surveyor says so.
    void Command3_Click();

protected:
    // Closing the window ends the program, also while a prompt is open: the open prompt is dismissed and the run
    // stops without a message. The window manager's close request reaches it also then (WindowCloseRequests).
    // Unsaved input in the observation table is asked about first, unless a prompt is open or 结 束 has asked
    // already.
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void markEveryFieldStale();
    bool anyFieldStale() const;
    // Greys the fields of an earlier computation and, while the results are stale, every field with a text.
    void showStaleness();
    void reportStop(const std::string& message);
    // Before every computation: the fields greyed, the row id and the field book of the last run forgotten.
    void startComputation(const std::string& rowId);

    RunRecord run_;
    DialogPrompt prompt_;
    MenuBarFrame menus_;
    std::string openedRowId_;  // the id of the row the last run was answered from
    std::optional<fieldbook::FieldBookReduction> fieldBookUsed_;  // the field book of the last completed run
    std::map<QString, QLineEdit*> fields_;
    std::map<QString, QLabel*> labels_;
    std::set<QString> earlierRun_;  // the fields whose text the last computation did not write
    bool computing_ = false;
    QLabel* staleMark_ = nullptr;  // in the status line while the results are stale
    ChecksMenu* checks_ = nullptr;
    QPointer<QMessageBox> stopMessage_;
    std::unique_ptr<WindowCloseRequests> closeRequests_;
    StepsMenu* steps_ = nullptr;  // 计算过程: keeps the steps of the last computation
    TableCommands* table_ = nullptr;
    bool endingAtOnce_ = false;  // 结 束 has asked about unsaved input: the close asks no second time
};

}  // namespace morvalen::app
