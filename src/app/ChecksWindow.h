// The window of the checks: every check of the last completed computation with its value, its limit and its verdict
// (超限 in red), the w-test of every angle, and a button that prints the page of the checks.
#pragma once

#include <QDialog>
#include <optional>

#include "analysis/Checks.h"

class QTableWidget;

namespace morvalen::app {

class ChecksWindow : public QDialog {
    Q_OBJECT

public:
    // The checks, or none with the reason why there is nothing to check.
    ChecksWindow(const std::optional<analysis::Checks>& checks, const QString& reasonWhenNone, QWidget* parent);

public slots:
    // Prints the page 检核与精度分析 as the report prints (default printer, or a PDF file where there is none).
    void printChecks();

private:
    void buildTables(const analysis::Checks& checks);

    std::optional<analysis::Checks> checks_;
};

}  // namespace morvalen::app
