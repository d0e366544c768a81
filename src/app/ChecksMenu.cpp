#include "app/ChecksMenu.h"

#include <QActionGroup>
#include <QInputDialog>

#include "analysis/Analysis.h"
#include "app/AskFirst.h"
#include "app/ChecksWindow.h"
#include "app/Translated.h"

namespace morvalen::app {
namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

ChecksMenu::ChecksMenu(const RunRecord& run, QWidget* window,
                       const std::optional<fieldbook::FieldBookReduction>* fieldBook)
    : QMenu(translated("检核"), window), run_(run), window_(window), choices_(new QActionGroup(this)),
      fieldBook_(fieldBook) {
    setObjectName(QStringLiteral("ChecksMenu"));
    // One choice at most, and none at the start of the session.
    choices_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QMenu* standards = addMenu(translated("检核标准"));
    standards->setObjectName(QStringLiteral("CheckStandardMenu"));
    // One submenu a standard, with its grades in the order of its table.
    std::string_view section;
    QMenu* grades = nullptr;
    for (const analysis::Grade& grade : analysis::grades()) {
        if (grade.standard != section) {
            section = grade.standard;
            grades = standards->addMenu(translated(section.data()));
        }
        QAction* action = grades->addAction(translated(grade.name.data()));
        action->setCheckable(true);
        action->setData(qText(grade.name));
        choices_->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, &grade] { setStandard(analysis::CheckStandard::ofGrade(grade)); });
    }
    standards->addSeparator();
    ownSigma_ = standards->addAction(translated("自定测角中误差 σ…"));
    ownSigma_->setCheckable(true);
    choices_->addAction(ownSigma_);
    connect(ownSigma_, &QAction::triggered, this, &ChecksMenu::chooseOwnSigma);

    QAction* results = addAction(translated("检核结果…"));
    results->setObjectName(QStringLiteral("ShowChecks"));
    connect(results, &QAction::triggered, this, &ChecksMenu::showChecks);
}

void ChecksMenu::setStandard(const std::optional<analysis::CheckStandard>& standard) {
    standard_ = standard;
    markChoice();
}

void ChecksMenu::markChoice() {
    for (QAction* action : choices_->actions()) {
        const bool chosen = standard_ && (standard_->grade ? action->data().toString() == qText(standard_->grade->name)
                                                           : action == ownSigma_);
        action->setChecked(chosen);
    }
}

void ChecksMenu::chooseOwnSigma() {
    bool accepted = false;
    const double initial = standard_ ? standard_->sigma : 2.5;
    const double sigma = QInputDialog::getDouble(window_, translated("检核标准"),
                                                 translated("测角中误差 σ（秒）："), initial, 0.01, 1000, 2,
                                                 &accepted);
    if (accepted) {
        setStandard(analysis::CheckStandard::ofSigma(sigma));
    } else {
        markChoice();
    }
}

std::optional<rigorous::RigorousRun> ChecksMenu::rigorousRun(const analysis::Analysis& analysed) const {
    if (!fieldBook_ || !*fieldBook_ || !analysed.precision) return std::nullopt;
    const fieldbook::FieldBookReduction& book = **fieldBook_;
    try {
        return rigorous::rigorousRun(run_.state, book, rigorousSigmas_.value_or(rigorous::defaultSigmas(book)));
    } catch (const rigorous::RigorousError&) {
        return std::nullopt;  // the classical results alone, as without a field book
    }
}

void ChecksMenu::showChecks() {
    const analysis::Analysis analysed = analysis::analyse(run_, standard_);
    QString reason;
    if (!standard_) {
        reason = translated("还没有选择检核标准：请在 检核 → 检核标准 中选择等级，或自定测角中误差 σ。");
    } else if (!analysed.checks) {
        reason = qText(analysis::nothingToCheck(run_.state));
    }
    // Beside the classical checks, the rigorous adjustment of the field book that gave the angles, with the a priori
    // σ last typed or those of its instrument class; none where the book's observations cannot fix the network.
    const std::optional<rigorous::RigorousRun> adjusted = rigorousRun(analysed);
    RigorousTab::Readjust readjust;
    if (adjusted) {
        const fieldbook::FieldBookReduction& book = **fieldBook_;
        readjust = [this, &book](const rigorous::ObservationSigmas& sigmas) {
            rigorous::RigorousRun again = rigorous::rigorousRun(run_.state, book, sigmas);
            rigorousSigmas_ = sigmas;
            return again;
        };
    }
    ChecksWindow dialog(analysed.checks, reason, window_, analysed.precision, adjusted, readjust);
    if (window_->property("resultsStale").toBool()) markStaleWindow(dialog);
    dialog.exec();
}

}  // namespace morvalen::app
