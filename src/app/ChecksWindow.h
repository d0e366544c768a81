// The window of the checks: every check of the last completed computation with its value, its limit and its verdict
// (超限 in red), the w-test of every angle, the precision of the stations and between them with the plot of the
// network beside the tables, and a button that prints the page of the checks with the plot. Where a field book gave
// the run's angles, a second tab shows its rigorous adjustment beside the classical one, printed after them.
#pragma once

#include <QDialog>
#include <optional>

#include "analysis/Checks.h"
#include "analysis/NetworkPrecision.h"
#include "app/RigorousTab.h"
#include "rigorous/RigorousNetwork.h"

class QTableWidget;
class QVBoxLayout;

namespace morvalen::app {

class ChecksWindow : public QDialog {
    Q_OBJECT

public:
    // The checks, or none with the reason why there is nothing to check; the precision of the stations when there is
    // one; the rigorous adjustment of the field book, shown in a tab of its own beside the classical checks when
    // there are checks and a precision, with `readjust` to adjust it again with other a priori σ.
    ChecksWindow(const std::optional<analysis::Checks>& checks, const QString& reasonWhenNone, QWidget* parent,
                 const std::optional<analysis::NetworkPrecision>& precision = std::nullopt,
                 const std::optional<rigorous::RigorousRun>& rigorousRun = std::nullopt,
                 RigorousTab::Readjust readjust = {});

public slots:
    // Prints the page 检核与精度分析 as the report prints (default printer, or a PDF file where there is none), with
    // the page of the rigorous adjustment and its plot after it where the tab 严密平差 is shown.
    void printChecks();

private:
    void buildTables(const analysis::Checks& checks, QVBoxLayout* layout);
    void buildPrecisionTable(const analysis::NetworkPrecision& precision, QVBoxLayout* layout);
    // The precision between every pair of stations, why some figures are zero, and the largest error between them.
    void buildRelativeTable(const analysis::NetworkPrecision& precision, QVBoxLayout* layout);

    std::optional<analysis::Checks> checks_;
    std::optional<analysis::NetworkPrecision> precision_;
    std::optional<rigorous::RigorousRun> rigorous_;  // the rigorous adjustment shown in its tab
};

}  // namespace morvalen::app
