// The menu 检核: the grade or own σ the computation is checked against in this session, and the checks window.
#pragma once

#include <QMenu>
#include <optional>

#include "analysis/Analysis.h"
#include "analysis/GradeTable.h"
#include "fieldbook/DirectionReduction.h"
#include "rigorous/RigorousNetwork.h"

class QAction;
class QActionGroup;

namespace morvalen {
struct RunRecord;
}

namespace morvalen::app {

// 检核标准 chooses one grade of the table or an own mean square error of an angle; nothing is chosen at start and
// nothing is kept after the session. 检核结果… shows the checks of the last completed computation.
class ChecksMenu : public QMenu {
    Q_OBJECT

public:
    // `fieldBook`: the field book that gave the angles of the last completed run, where one did (its rigorous
    // adjustment is then a tab of the checks window).
    ChecksMenu(const RunRecord& run, QWidget* window,
               const std::optional<fieldbook::FieldBookReduction>* fieldBook = nullptr);

    const std::optional<analysis::CheckStandard>& standard() const { return standard_; }
    void setStandard(const std::optional<analysis::CheckStandard>& standard);

    // The rigorous adjustment of the field book that gave the angles of the last completed run, with the a priori σ
    // last typed in the checks window or those of the book's instrument class: what its tab shows and 打 印 prints.
    // None without a field book, without the precision of the run, or where the book's observations cannot fix the
    // network.
    std::optional<rigorous::RigorousRun> rigorousRun(const analysis::Analysis& analysed) const;

public slots:
    // Asks for an own σ in seconds of arc; keeps the earlier choice when the question is dismissed.
    void chooseOwnSigma();
    // The checks window, modal, for the computation the window holds now.
    void showChecks();

private:
    void markChoice();

    const RunRecord& run_;
    QWidget* window_;
    std::optional<analysis::CheckStandard> standard_;
    QActionGroup* choices_;
    QAction* ownSigma_;
    const std::optional<fieldbook::FieldBookReduction>* fieldBook_;
    // The a priori σ of the rigorous adjustment last typed in the checks window, kept for the session; none: those
    // of the book's instrument class.
    std::optional<rigorous::ObservationSigmas> rigorousSigmas_;
};

}  // namespace morvalen::app
