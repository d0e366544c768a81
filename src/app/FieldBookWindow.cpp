#include "app/FieldBookWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "analysis/ChecksText.h"
#include "app/ChecksMenu.h"
#include "app/MainWindow.h"
#include "app/ScreenFit.h"
#include "app/TableCells.h"
#include "app/Translated.h"
#include "report/FieldBookPage.h"

namespace morvalen::app {
namespace {

QString seconds(double value, int decimals = 1) {
    return qText(analysis::decimalText(value, decimals)) + translated(" 秒");
}

// The σ as the window shows it, to 0.01″; none when the rounds agree so well that it shows as zero.
std::optional<double> shownSigma(const fieldbook::FieldBookReduction& reduction) {
    if (!reduction.angleSigma) return std::nullopt;
    const double sigma = std::round(*reduction.angleSigma * 100) / 100;
    return sigma > 0 ? std::optional(sigma) : std::nullopt;
}

}  // namespace

FieldBookWindow::FieldBookWindow(std::vector<fieldbook::Pointing> pointings, const QString& title,
                                 MainWindow& mainWindow, ChecksMenu* checks)
    : QWidget(&mainWindow, Qt::Window),
      pointings_(pointings),
      angles_(std::move(pointings), *analysis::findDirectionMethodLimits("2")),
      mainWindow_(mainWindow),
      checksMenu_(checks) {
    setObjectName(QStringLiteral("FieldBookWindow"));
    setWindowTitle(translated("观测手簿 — %1", {title}));
    auto* layout = new QVBoxLayout(this);
    auto* limits = new QHBoxLayout;
    limits->addWidget(new QLabel(translated(analysis::directionMethodStandard.data()) + translated("，仪器等级："), this));
    instrument_ = new QComboBox(this);
    instrument_->setObjectName(QStringLiteral("InstrumentClass"));
    for (const char* instrumentClass : {"0.5", "1", "2", "6"}) instrument_->addItem(QString(instrumentClass) + "″");
    instrument_->setCurrentIndex(2);
    limits->addWidget(instrument_);
    limits->addStretch();
    layout->addLayout(limits);

    QStringList heads;
    for (const std::string& title : report::fieldBookTableTitles) heads << translated(title.c_str());
    table_ = table(QStringLiteral("FieldBookTable"), heads, 0, this);
    layout->addWidget(table_, 1);
    checks_ = table(QStringLiteral("FieldBookChecks"),
                    {translated("测站、测回"), translated("检核"), translated("数值"), translated("限差"), translated("结论")},
                    0, this);
    layout->addWidget(checks_, 1);
    angleList_ = new QLabel(this);
    angleList_->setObjectName(QStringLiteral("FieldBookAngles"));
    angleList_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(angleList_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    useSigma_ = new QPushButton(translated("σ 用于检核"), this);
    useSigma_->setObjectName(QStringLiteral("UseSigmaForChecks"));
    buttons->addWidget(useSigma_);
    auto* use = new QPushButton(translated("用于计算"), this);
    use->setObjectName(QStringLiteral("UseForComputation"));
    buttons->addWidget(use);
    auto* close = new QPushButton(translated("关闭"), this);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(use, &QPushButton::clicked, this, &FieldBookWindow::useForComputation);
    connect(useSigma_, &QPushButton::clicked, this, &FieldBookWindow::useSigmaForChecks);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(instrument_, &QComboBox::currentIndexChanged, this, &FieldBookWindow::chooseInstrument);
    showReduction();
    fitToScreen(*this, QSize(900, 720));
}

void FieldBookWindow::showReduction() {
    const fieldbook::FieldBookReduction& reduction = angles_.reduction();
    const std::vector<report::FieldBookTableRow> rows = report::fieldBookTableRows(reduction);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int column = 0; column < table_->columnCount(); ++column) {
            table_->setItem(row, column, cell(qText(rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])));
        }
    }
    // A station's μ stands in one cell across the columns of the readings.
    table_->clearSpans();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const report::FieldBookTableRow& cells = rows[static_cast<std::size_t>(row)];
        if (!cells[2].empty() && cells[3].empty()) table_->setSpan(row, 2, 1, table_->columnCount() - 2);
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    checks_->setRowCount(static_cast<int>(reduction.checks.size()));
    for (int row = 0; row < checks_->rowCount(); ++row) {
        const fieldbook::Check& check = reduction.checks[static_cast<std::size_t>(row)];
        checks_->setItem(row, 0, cell(qText(report::checkPlaceText(check))));
        checks_->setItem(row, 1, cell(qText(report::checkKindText(check.kind))));
        checks_->setItem(row, 2, cell(seconds(check.value)));
        checks_->setItem(row, 3, cell(check.limit ? seconds(*check.limit) : translated("无限差")));
        checks_->setItem(row, 4, cell(qText(report::checkVerdictText(check))));
    }
    checks_->resizeColumnsToContents();
    checks_->resizeRowsToContents();
    QString angles;
    for (std::size_t k = 0; k < 8; ++k) {
        angles += QString("b( %1 ) = %2%3").arg(k + 1).arg(qText(reduction.angles[k])).arg(k % 4 == 3 ? "\n" : "    ");
    }
    const auto& names = reduction.quadrilateral;
    angleList_->setText(angles + translated("四边形（顺时针）：%1、%2、%3、%4", {qText(names[0]), qText(names[1]),
                                                                      qText(names[2]), qText(names[3])}) +
                        translated("    测角中误差（可作检核的 σ）：") + qText(report::sigmaText(reduction.angleSigma)));
    useSigma_->setEnabled(checksMenu_ && shownSigma(reduction));
}

void FieldBookWindow::chooseInstrument(int index) {
    static const char* const classes[] = {"0.5", "1", "2", "6"};
    if (index < 0 || index > 3) return;
    angles_ = fieldbook::FieldBookAngles(pointings_, *analysis::findDirectionMethodLimits(classes[index]));
    showReduction();
}

void FieldBookWindow::useSigmaForChecks() {
    if (const auto sigma = shownSigma(angles_.reduction()); checksMenu_ && sigma) {
        checksMenu_->setStandard(analysis::CheckStandard::ofSigma(*sigma));
    }
}

void FieldBookWindow::useForComputation() { mainWindow_.computeFromFieldBook(angles_); }

}  // namespace morvalen::app
