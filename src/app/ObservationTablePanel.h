// The observation table beside the window's layout: every value the dialogue of 计 算 asks, in one panel, typed and
// corrected in place and checked as it is typed.
#pragma once

#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "app/ObservationDocument.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morvalen::app {

// The cells stand in the order of the prompts, which Tab and Enter follow: Xa, Ya, Xb, Yb; the case in words; the
// azimuth case's start side length, start side number, Ta and Qa (enabled only in that case); the names of A, P1, P2,
// P3 (azimuth case) and the closing station; b(1)..b(8) in dd.mmss. A cell with a problem is drawn in a colour with
// an icon, its reason in its tooltip and, while it has the focus, in the window's status line (`statusText`).
// The cell in focus lights up its station, side or angle in the upper diagram of `diagramWindow`.
//
// Cells are QLineEdits named Cell_<column> after the columns of an observation file (Cell_xa, Cell_b3).
class ObservationTablePanel : public QWidget {
    Q_OBJECT

public:
    ObservationTablePanel(ObservationDocument& document, QWidget& diagramWindow, QWidget* parent);

    QLineEdit& cell(EnteredValue value) const { return *cells_[static_cast<std::size_t>(value)]; }
    const Observations& observations() const { return document_.observations(); }
    // Marks the cell of a value at which a computation stopped, with the reason of the stop, until it is edited.
    void markStop(EnteredValue value, const QString& reason);
    void clearStops();
    bool recomputeWhileTyping() const;
    // Until the table is computed from, a problem is shown and counted only in a cell the surveyor has typed in (or
    // that a file or the dialogue filled); an empty table greets with no list of what is still missing.
    // showEveryProblem() shows them all (a computation was asked for); forgetTouched() starts afresh (a new data set).
    void showEveryProblem();
    void forgetTouched();
    // Puts the angles, the compute button and the problem list below the start data and names instead of beside
    // them, for a screen too narrow for both columns beside the layout.
    void foldIntoOneColumn();

signals:
    void computeRequested();
    // The cell edited: for recomputing while typing.
    void edited();
    // The text of the window's status line.
    void statusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showDocument();
    void showCheck(EnteredValue value);
    bool problemShown(EnteredValue value) const;
    void moveAfter(EnteredValue value);
    void highlightDiagram(EnteredValue value, bool on);

    ObservationDocument& document_;
    QWidget& diagramWindow_;
    std::array<QLineEdit*, enteredValueCount> cells_{};
    std::array<QAction*, enteredValueCount> icons_{};
    std::vector<std::pair<QPointer<QWidget>, QPalette>> lit_;  // the diagram's labels lit, with their own colours
    std::array<QString, enteredValueCount> stops_;  // the reason a computation stopped at a value, until it is edited
    std::array<bool, enteredValueCount> touched_{};  // typed in, or filled, since the data set started
    bool everyProblemShown_ = false;
    int leftRows_ = 0;  // rows of the grid that the start data and the names take
    QLabel* caseText_ = nullptr;
    QLabel* problemCount_ = nullptr;
    QPushButton* compute_ = nullptr;
    QCheckBox* recompute_ = nullptr;
};

// The name of a value's column in an observation file: xa, start_side_number, name_P1, b3.
QString columnName(EnteredValue value);

}  // namespace morvalen::app
