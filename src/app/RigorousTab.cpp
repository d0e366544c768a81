#include "app/RigorousTab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/ChecksText.h"
#include "app/PlotView.h"
#include "app/TableCells.h"
#include "app/Translated.h"
#include "document/RigorousOutput.h"
#include "report/BothEllipsesDrawing.h"
#include "report/RigorousPage.h"

namespace morvalen::app {
namespace {

QString decimal(double value, int decimals) { return qText(analysis::decimalText(value, decimals)); }

QLabel* sentences(const QStringList& lines, const QString& name, QWidget* parent) {
    auto* label = new QLabel(lines.join('\n'), parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

RigorousTab::RigorousTab(const rigorous::RigorousRun& run, const analysis::NetworkPrecision& classical, Readjust readjust,
                         QWidget* parent)
    : QWidget(parent), classical_(classical), readjust_(std::move(readjust)) {
    setObjectName(QStringLiteral("RigorousTab"));
    auto* layout = new QVBoxLayout(this);
    auto* sigmas = new QHBoxLayout;
    directionSigma_ = new QLineEdit(decimal(run.network.directionSigmaSeconds, 2), this);
    directionSigma_->setObjectName(QStringLiteral("RigorousDirectionSigma"));
    distanceSigma_ = new QLineEdit(decimal(run.network.distanceSigmaMillimetres, 1) + ',' +
                                       decimal(run.network.distanceSigmaPpm, 1),
                                   this);
    distanceSigma_->setObjectName(QStringLiteral("RigorousDistanceSigma"));
    // Wide enough for a σ such as 12.5 or 2,1.5, not for the whole row.
    for (QLineEdit* field : {directionSigma_, distanceSigma_}) {
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000,0000")) + 16);
    }
    auto* adjust = new QPushButton(translated("作严密平差"), this);
    adjust->setObjectName(QStringLiteral("RigorousAdjustAgain"));
    sigmas->addWidget(new QLabel(translated("一测回方向中误差（秒）："), this));
    sigmas->addWidget(directionSigma_);
    sigmas->addWidget(new QLabel(translated("测距中误差 a 毫米 + b ppm："), this));
    sigmas->addWidget(distanceSigma_);
    sigmas->addWidget(adjust);
    sigmas->addStretch();
    layout->addLayout(sigmas);
    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("RigorousRefusal"));
    refusal_->setStyleSheet(QStringLiteral("color: red"));
    refusal_->hide();
    layout->addWidget(refusal_);
    connect(adjust, &QPushButton::clicked, this, &RigorousTab::adjustAgain);
    connect(directionSigma_, &QLineEdit::returnPressed, this, &RigorousTab::adjustAgain);
    connect(distanceSigma_, &QLineEdit::returnPressed, this, &RigorousTab::adjustAgain);
    showResults(run);
}

void RigorousTab::adjustAgain() {
    const std::optional<double> direction = document::directionSigmaOf(directionSigma_->text().trimmed().toStdString());
    const auto distance = document::distanceSigmaOf(distanceSigma_->text().trimmed().toStdString());
    refusal_->setText(!direction ? translated("方向中误差应为正数（秒）。")
                      : !distance ? translated("测距中误差应为 A,B 两个非负数：%1", {distanceSigma_->text()})
                                  : QString());
    if (direction && distance) {
        try {
            showResults(readjust_({*direction, distance->first, distance->second}));
        } catch (const rigorous::RigorousError& failure) {
            refusal_->setText(QString::fromUtf8(failure.what()));
        }
    }
    refusal_->setVisible(!refusal_->text().isEmpty());
}

// The results of one adjustment, in place of those shown before.
void RigorousTab::showResults(const rigorous::RigorousRun& run) {
    delete results_;
    results_ = new QWidget(this);
    auto* columns = new QHBoxLayout(results_);
    columns->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    buildSummary(run, left);
    buildStations(run, left);
    buildDifferences(run, left);
    buildObservations(run, left);
    columns->addLayout(left);
    columns->addWidget(new PlotView([run, classical = classical_](double width, double height) {
        return report::bothEllipsesDrawing(run, &classical, width, height);
    }, QStringLiteral("BothEllipsesPlot"), results_), 1);
    static_cast<QVBoxLayout*>(layout())->addWidget(results_, 1);
}

void RigorousTab::buildSummary(const rigorous::RigorousRun& run, QVBoxLayout* layout) {
    QStringList lines;
    for (const std::string& sentence : report::rigorousSummary(run)) lines << qText(sentence);
    layout->addWidget(sentences(lines, QStringLiteral("RigorousSummary"), results_));
}

void RigorousTab::buildStations(const rigorous::RigorousRun& run, QVBoxLayout* layout) {
    auto* stations = table(QStringLiteral("RigorousStations"),
                           {translated("点名"), QStringLiteral("X(m)"), QStringLiteral("Y(m)"), QStringLiteral("σx(mm)"),
                            QStringLiteral("σy(mm)"), QStringLiteral("a(mm)"), QStringLiteral("b(mm)"), translated("φ(度)")},
                           static_cast<int>(run.adjustment.stations.size()), results_);
    int row = 0;
    for (const rigorous::AdjustedStation& station : run.adjustment.stations) {
        stations->setItem(row, 0, cell(qText(station.name)));
        stations->setItem(row, 1, cell(decimal(station.x, 4)));
        stations->setItem(row, 2, cell(decimal(station.y, 4)));
        if (station.fixed) {
            stations->setItem(row++, 3, cell(translated("固定")));
            continue;
        }
        const double values[] = {station.sxMillimetres, station.syMillimetres, station.ellipse.a, station.ellipse.b};
        for (int column = 0; column < 4; ++column) stations->setItem(row, column + 3, cell(decimal(values[column], 2)));
        stations->setItem(row++, 7, cell(decimal(station.ellipse.phiDegrees, 1)));
    }
    fitRows(stations);
    layout->addWidget(stations);
}

void RigorousTab::buildDifferences(const rigorous::RigorousRun& run, QVBoxLayout* layout) {
    layout->addWidget(new QLabel(translated("严密平差 − 经典平差 :"), results_));
    auto* differences = table(QStringLiteral("RigorousDifferences"),
                              {translated("点名"), QStringLiteral("dX(mm)"), QStringLiteral("dY(mm)"), translated("为σ的倍数")},
                              static_cast<int>(run.differences.size()), results_);
    int row = 0;
    for (const rigorous::StationDifference& difference : run.differences) {
        differences->setItem(row, 0, cell(qText(difference.name)));
        differences->setItem(row, 1, cell(decimal(difference.dx, 1)));
        differences->setItem(row, 2, cell(decimal(difference.dy, 1)));
        differences->setItem(row++, 3, cell(decimal(difference.ratio, 2)));
    }
    fitRows(differences);
    layout->addWidget(differences);
    QStringList lines{qText(run.sentence)};
    if (const auto largest = report::largestErrorSentence(run)) lines << qText(*largest);
    layout->addWidget(sentences(lines, QStringLiteral("RigorousSentence"), results_));
}

void RigorousTab::buildObservations(const rigorous::RigorousRun& run, QVBoxLayout* layout) {
    layout->addWidget(new QLabel(translated("观测值（改正数 = 平差值 − 观测值；|w| > %1 应检查）:",
                                            {decimal(report::wTestLimit, 2)}),
                                 this));
    auto* observations = table(QStringLiteral("RigorousObservations"),
                               {translated("类别"), translated("测站"), translated("目标"), translated("测回"),
                                translated("改正数"), translated("多余观测分量"), QStringLiteral("w")},
                               static_cast<int>(run.adjustment.observations.size()), results_);
    int row = 0;
    for (const rigorous::AdjustedObservation& observation : run.adjustment.observations) {
        const rigorous::Observation& observed = observation.observed;
        const bool direction = observed.kind == rigorous::ObservationKind::direction;
        const QString texts[] = {qText(report::observationKindText(observed)),
                                 qText(run.network.names[static_cast<std::size_t>(observed.station)]),
                                 qText(run.network.names[static_cast<std::size_t>(observed.target)]),
                                 QString::number(observed.round),
                                 decimal(observation.residual, 2) + (direction ? QStringLiteral("″") : QStringLiteral(" mm")),
                                 decimal(observation.redundancy, 3),
                                 observation.w ? decimal(*observation.w, 2) : QString()};
        for (int column = 0; column < 7; ++column) observations->setItem(row, column, cell(texts[column]));
        // A w beyond the critical value marks an observation to look at, in red as the checks mark theirs.
        if (observation.w && std::abs(*observation.w) > report::wTestLimit) {
            observations->item(row, 6)->setForeground(failedColour);
        }
        ++row;
    }
    // The observations scroll, as wide as their columns: a book of four rounds has some fifty.
    observations->resizeColumnsToContents();
    observations->resizeRowsToContents();
    observations->setMinimumSize(observations->horizontalHeader()->length() + 2 * observations->frameWidth() +
                                     observations->verticalScrollBar()->sizeHint().width(),
                                 220);
    observations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(observations, 1);
}

}  // namespace morvalen::app
