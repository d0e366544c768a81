#include "app/ChecksWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/ChecksText.h"
#include "app/PlotView.h"
#include "app/PrintCommand.h"
#include "app/RigorousTab.h"
#include "report/RigorousPage.h"
#include "app/TableCells.h"
#include "app/Translated.h"
#include "form/FieldText.h"
#include "report/AnalysisPage.h"
#include "report/ChecksPage.h"
#include "report/NetworkPlot.h"
#include "report/PrecisionPage.h"
#include "report/RigorousPage.h"

namespace morvalen::app {
namespace {

QString seconds(double value) { return qText(analysis::decimalText(value, 2)) + translated(" 秒"); }

QLabel* verdictLabel(const QString& text, bool pass, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (!pass) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, failedColour);
        label->setPalette(colours);
    }
    return label;
}

}  // namespace

ChecksWindow::ChecksWindow(const std::optional<analysis::Checks>& checks, const QString& reasonWhenNone,
                           QWidget* parent, const std::optional<analysis::NetworkPrecision>& precision,
                           const std::optional<rigorous::RigorousRun>& rigorousRun, RigorousTab::Readjust readjust)
    : QDialog(parent), checks_(checks), precision_(checks ? precision : std::nullopt) {
    setWindowTitle(translated("检核与精度分析"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(translated("打印检核页"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("PrintChecks"));
    QPushButton* close = buttons->addButton(translated("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseChecks"));
    connect(print, &QPushButton::clicked, this, &ChecksWindow::printChecks);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (!checks_) {
        auto* reason = new QLabel(reasonWhenNone, this);
        reason->setObjectName(QStringLiteral("NothingToCheck"));
        reason->setWordWrap(true);
        reason->setMinimumWidth(420);
        layout->addWidget(reason);
        print->setEnabled(false);
    } else {
        // The checks and the precision between the stations on the left; the plot of the network and the precision
        // of the stations on the right.
        auto* classical = new QWidget(this);
        auto* columns = new QHBoxLayout(classical);
        columns->setContentsMargins(0, 0, 0, 0);
        auto* left = new QVBoxLayout;
        buildTables(*checks_, left);
        if (precision_) buildRelativeTable(*precision_, left);
        left->addStretch();
        columns->addLayout(left);
        if (precision_) {
            auto* right = new QVBoxLayout;
            buildPrecisionTable(*precision_, right);
            columns->addLayout(right, 1);
        }
        if (precision_ && rigorousRun) {
            rigorous_ = rigorousRun;
            auto* tabs = new QTabWidget(this);
            tabs->setObjectName(QStringLiteral("ChecksTabs"));
            tabs->addTab(classical, translated("经典平差"));
            // The page printed is that of the adjustment shown, with the σ last typed.
            RigorousTab::Readjust shown = [this, readjust](const rigorous::ObservationSigmas& sigmas) {
                rigorous_ = readjust(sigmas);
                return *rigorous_;
            };
            tabs->addTab(new RigorousTab(*rigorousRun, *precision_, shown, tabs), translated("严密平差"));
            layout->addWidget(tabs);
        } else {
            layout->addWidget(classical);
        }
    }
    layout->addWidget(buttons);
}

void ChecksWindow::buildPrecisionTable(const analysis::NetworkPrecision& precision, QVBoxLayout* layout) {
    layout->addWidget(new PlotView([precision](double width, double height) {
        return report::networkPlotDrawing(precision, width, height);
    }, QStringLiteral("NetworkPlot"), this), 1);
    layout->addWidget(new QLabel(translated("点位精度（协方差传播，σ = %1）", {seconds(precision.sigma)}), this));
    int computed = 0;
    for (const analysis::StationPrecision& station : precision.stations) computed += station.fixed ? 0 : 1;
    auto* stations = table(QStringLiteral("PrecisionTable"),
                           {translatedCaption("点名"), translated("mx（mm）"), translated("my（mm）"), translated("mp（mm）"),
                            translated("a（mm）"), translated("b（mm）"), translated("φ（度）")},
                           computed, this);
    int row = 0;
    for (const analysis::StationPrecision& station : precision.stations) {
        if (station.fixed) continue;
        stations->setItem(row, 0, cell(QString::fromStdString(station.name)));
        const double values[] = {station.mx, station.my, station.mp, station.ellipse.a, station.ellipse.b};
        for (int column = 0; column < 5; ++column) {
            stations->setItem(row, column + 1, cell(qText(analysis::decimalText(values[column], 2))));
        }
        stations->setItem(row, 6, cell(qText(analysis::decimalText(station.ellipse.phiDegrees, 1))));
        ++row;
    }
    fitRows(stations);
    layout->addWidget(stations);
    if (precision.weakestSide > 0) {
        const analysis::SidePrecision& weakest = precision.sides[static_cast<std::size_t>(precision.weakestSide - 1)];
        QString text = translated("最弱边（协方差传播）：%1  %2\n",
                                  {qText(report::sideText(precision, weakest.side)),
                                   qText(report::sideRelativeErrorText(precision, weakest))}) +
                       translated("最弱边（经典算法）：%1  1/%2（按 mb）\n",
                                  {qText(report::sideText(precision, precision.classicalSide)),
                                   QString::fromStdString(generalForm(precision.classicalDenominator))});
        for (const std::string& sentence : report::weakestSideNote(precision)) text += qText(sentence);
        auto* note = new QLabel(text, this);
        note->setObjectName(QStringLiteral("WeakestSide"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
}

void ChecksWindow::buildRelativeTable(const analysis::NetworkPrecision& precision, QVBoxLayout* layout) {
    layout->addWidget(new QLabel(translated("点间相对精度（相对误差椭圆）"), this));
    auto* pairs = table(QStringLiteral("RelativePrecisionTable"),
                        {translated("点间"), translated("距离（m）"), translated("σD（mm）"), QStringLiteral("1/T"),
                         translated("σα（秒）"), translated("a（mm）"), translated("b（mm）"), translated("φ（度）")},
                        static_cast<int>(precision.relative.size()), this);
    int row = 0;
    for (const analysis::RelativePrecision& pair : precision.relative) {
        const QString texts[] = {qText(report::pairText(precision, pair)),
                                 qText(analysis::decimalText(pair.distance, 3)),
                                 qText(analysis::decimalText(pair.distanceError, 2)),
                                 qText(report::pairRelativeErrorText(pair)),
                                 qText(analysis::decimalText(pair.azimuthError, 2)),
                                 qText(analysis::decimalText(pair.ellipse.a, 2)),
                                 qText(analysis::decimalText(pair.ellipse.b, 2)),
                                 qText(analysis::decimalText(pair.ellipse.phiDegrees, 1))};
        for (int column = 0; column < 8; ++column) pairs->setItem(row, column, cell(texts[column]));
        ++row;
    }
    fitRows(pairs);
    layout->addWidget(pairs);
    QString text;
    for (const std::string& sentence : report::relativeNote(precision)) text += qText(sentence) + '\n';
    if (precision.largestRelative) {
        text += translated("最大点间误差：%1", {qText(report::largestRelativeText(precision))});
    }
    auto* note = new QLabel(text.trimmed(), this);
    note->setObjectName(QStringLiteral("LargestRelative"));
    note->setWordWrap(true);
    layout->addWidget(note);
}

void ChecksWindow::buildTables(const analysis::Checks& checks, QVBoxLayout* layout) {
    const report::ChecksPage page = report::checksPage(checks);
    layout->addWidget(new QLabel(
        translated("检核标准：%1    测角中误差 σ = %2", {qText(page.standard), qText(page.sigma)}), this));

    auto* checksTable = table(QStringLiteral("ChecksTable"),
                              {translated("检核项目"), translatedCaption("数值"), translated("限差"), translatedCaption("检核")}, 8, this);
    int row = 0;
    const auto addRow = [&](const QString& what, const QString& value, const QString& limit, const QString& verdict) {
        checksTable->setItem(row, 0, cell(what));
        checksTable->setItem(row, 1, cell(value));
        checksTable->setItem(row, 2, cell(limit));
        checksTable->setItem(row, 3, cell(verdict));
        ++row;
    };
    const auto addCheck = [&](const QString& what, const report::CheckRow& check) {
        addRow(what, qText(check.value), qText(check.limit), qText(check.verdict));
    };
    for (std::size_t t = 0; t < page.triangles.size(); ++t) {
        addCheck(translated("三角形闭合差 %1", {qText(page.triangleNames[t])}), page.triangles[t]);
    }
    addCheck(translated("极条件闭合差 w(4)"), page.pole);
    addCheck(translatedCaption("测角中误差 mb"), page.angleError);
    addRow(translated("菲列罗公式 mβ（%1 个三角形）", {QString::number(page.ferreroTriangles)}),
           qText(page.ferreroValue), QString(), translated("仅供参考"));
    addCheck(translatedCaption("最弱边相对中误差 1/m"), page.weakestSide);
    fitRows(checksTable);
    layout->addWidget(checksTable);

    layout->addWidget(new QLabel(
        translated("观测角粗差检验（w 检验，临界值 %1，α0 = 0.1 %，β0 = 80 %）", {qText(page.criticalValue)}),
        this));
    auto* anglesTable = table(QStringLiteral("AnglesTable"),
                              {translatedCaption("角"), translated("改正数 v（秒）"), translated("多余观测分量 r"),
                               translated("标准化改正数 w"), translated("可发现粗差 ∇0（秒）"), translated("检验")},
                              8, this);
    for (int k = 0; k < 8; ++k) {
        const report::AngleTestRow& test = page.angles[static_cast<std::size_t>(k)];
        anglesTable->setItem(k, 0, cell(qText(test.angle)));
        anglesTable->setItem(k, 1, cell(qText(test.residual)));
        anglesTable->setItem(k, 2, cell(qText(test.redundancy)));
        anglesTable->setItem(k, 3, cell(qText(test.standardized)));
        anglesTable->setItem(k, 4, cell(qText(test.minimalDetectableBlunder)));
        anglesTable->setItem(k, 5, cell(test.suspect ? translated(analysis::suspectText.data()) : QString()));
    }
    fitRows(anglesTable);
    layout->addWidget(anglesTable);

    layout->addWidget(verdictLabel(translated("粗差可疑观测：%1", {qText(page.suspects)}), page.noSuspects,
                                   QStringLiteral("Suspects"), this));
    layout->addWidget(verdictLabel(translated("检核结论：%1", {qText(page.verdict)}), page.pass,
                                   QStringLiteral("Verdict"), this));
}

void ChecksWindow::printChecks() {
    if (!checks_) return;
    // The checks, then the precision on a page of its own, as the report's pages after the report print them.
    report::Pages pages{report::analysisPageLines(*checks_)};
    if (precision_) pages.push_back(report::precisionPageLines(*precision_));
    std::vector<report::PagePlot> plots;
    if (precision_) plots.push_back(report::networkPlotAfter(pages.size() - 1, *precision_));
    // The tab 严密平差, where it is shown: its page and the plot of both sets of ellipses.
    if (rigorous_) {
        pages.push_back(report::rigorousPageLines(*rigorous_));
        plots.push_back(report::bothEllipsesAfter(pages.size() - 1, *rigorous_, precision_));
    }
    printPages(pages, QStringLiteral("morvalen-checks.pdf"), this, plots);
}

}  // namespace morvalen::app
