#include "app/ObservationTablePanel.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "app/Translated.h"
#include "app/WindowFonts.h"
#include "entry/ObservationChecks.h"
#include "form/ObservationColumns.h"
#include "app/WindowLayout.h"

namespace morvalen::app {
namespace {

// Colours of a cell: a value with a problem, a value the case needs and that is missing, a value the computation
// stopped at. Each goes with an icon of its own, so that the colour is never the only sign.
const QColor problemColour{255, 205, 205};
const QColor missingColour{215, 232, 255};
// The station, side or angle of the cell in focus, in the upper diagram.
const QColor litColour{255, 170, 60};

std::size_t indexOf(EnteredValue value) { return static_cast<std::size_t>(value); }

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

const form::ObservationColumn& columnOf(EnteredValue value) { return form::observationColumns()[indexOf(value)]; }

}  // namespace

QString columnName(EnteredValue value) {
    const std::string_view key = columnOf(value).key;
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

ObservationTablePanel::ObservationTablePanel(ObservationDocument& document, QWidget& diagramWindow, QWidget* parent)
    : QWidget(parent), document_(document), diagramWindow_(diagramWindow) {
    setObjectName(QStringLiteral("ObservationTable"));
    build();
    connect(&document_, &ObservationDocument::changed, this, &ObservationTablePanel::showDocument);
    showDocument();
}

void ObservationTablePanel::build() {
    // The panel speaks in the prompts' plain face; its cells are as wide as a coordinate to the millimetre, with
    // room for the icon of a problem.
    setFont(dialogFont());
    const int cellWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000")) + 24;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(2, 10);

    const auto addCell = [&](EnteredValue value, int row, int column) {
        auto* cell = new QLineEdit(this);
        cell->setFixedWidth(cellWidth);
        cell->setObjectName("Cell_" + columnName(value));
        cell->installEventFilter(this);
        cells_[indexOf(value)] = cell;
        // The form an angle is typed in, grey in the empty cell.
        if (value >= EnteredValue::b1 || value == EnteredValue::Ta || value == EnteredValue::Qa) {
            cell->setPlaceholderText(QStringLiteral("dd.mmss"));
        }
        icons_[indexOf(value)] = cell->addAction(QIcon(), QLineEdit::TrailingPosition);
        auto* label = new QLabel(translatedCaption(columnOf(value).caption), this);
        label->setBuddy(cell);
        grid->addWidget(label, row, column);
        grid->addWidget(cell, row, column + 1);
        connect(cell, &QLineEdit::textEdited, this, [this, value](const QString& text) {
            stops_[indexOf(value)].clear();
            touched_[indexOf(value)] = true;
            document_.editCell(value, text.toStdString());
            emit edited();
        });
        connect(cell, &QLineEdit::returnPressed, this, [this, value] { moveAfter(value); });
    };

    // The start data and the names stand on the left, the case in words before the azimuth case's start data; the
    // angles stand on the right.
    grid->addWidget(heading(translated("观测数据表"), this), 0, 0, 1, 5);
    caseText_ = new QLabel(this);
    caseText_->setObjectName(QStringLiteral("CaseText"));
    caseText_->setWordWrap(true);
    caseText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // the cells set the width, the text wraps
    std::array<int, 2> rows = {1, 1};  // the next row on the left and on the right
    const char* group = nullptr;
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        const form::ObservationColumn& column = columnOf(value);
        const bool right = value >= EnteredValue::b1;
        int& row = rows[right ? 1 : 0];
        if (column.group != group) {
            group = column.group;
            grid->addWidget(heading(translated(group), this), row++, right ? 3 : 0, 1, 2);
        }
        if (value == EnteredValue::startSideLength) grid->addWidget(caseText_, row++, 0, 1, 2);
        addCell(value, row++, right ? 3 : 0);
    }
    const int lastLeftRow = rows[0];
    leftRows_ = lastLeftRow;
    int row = rows[1];
    ++row;
    compute_ = new QPushButton(translated("计算 (F5)"), this);
    compute_->setObjectName(QStringLiteral("ComputeTable"));
    connect(compute_, &QPushButton::clicked, this, &ObservationTablePanel::computeRequested);
    grid->addWidget(compute_, row++, 3, 1, 2);
    recompute_ = new QCheckBox(translated("输入时即重新计算"), this);
    recompute_->setObjectName(QStringLiteral("RecomputeWhileTyping"));
    grid->addWidget(recompute_, row++, 3, 1, 2);
    problemCount_ = new QLabel(this);
    problemCount_->setObjectName(QStringLiteral("ProblemCount"));
    problemCount_->setWordWrap(true);
    problemCount_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(problemCount_, row++, 3, 2, 2, Qt::AlignTop);
    grid->setRowStretch(std::max(row, lastLeftRow), 1);

    // Tab follows the prompts; a cell the case does not ask is disabled and passed over.
    for (std::size_t k = 1; k < enteredValueCount; ++k) setTabOrder(cells_[k - 1], cells_[k]);
    setTabOrder(cells_.back(), compute_);
}

bool ObservationTablePanel::recomputeWhileTyping() const { return recompute_->isChecked(); }

void ObservationTablePanel::showDocument() {
    const Observations& observations = document_.observations();
    if (observations.empty()) {
        forgetTouched();
    }
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        QLineEdit& field = *cells_[k];
        const QString text = QString::fromStdString(observations.text(value));
        if (!text.isEmpty()) touched_[k] = true;
        if (field.text() != text) field.setText(text);
        field.setEnabled(observations.asks(value));
        showCheck(value);
    }
    caseText_->setText(translated("情形：%1", {QString::fromStdString(caseInWords(observations.runCase()))}));
    const auto found = observationProblems(observations);
    const auto problems = std::count_if(found.begin(), found.end(),
                                        [this](const ValueProblem& problem) { return problemShown(problem.value); });
    if (problems > 0) {
        problemCount_->setText(translated("表中有 %1 处问题，改正后才能计算。", {QString::number(problems)}));
    } else {
        problemCount_->setText(found.empty() ? translated("没有发现问题，可以计算。")
                                             : translated("依次填写各格（Enter 或 Tab 到下一格），然后按 F5 计算。"));
    }
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        if (cells_[k]->hasFocus()) emit statusText(cells_[k]->toolTip());
    }
}

void ObservationTablePanel::showCheck(EnteredValue value) {
    QLineEdit& field = cell(value);
    QAction& icon = *icons_[indexOf(value)];
    const QString stop = stops_[indexOf(value)];
    const auto problem = problemShown(value) ? valueProblem(document_.observations(), value) : std::nullopt;
    const bool missing = problem && document_.observations().text(value).find_first_not_of(" \t") == std::string::npos;
    const QString name = QString::fromStdString(valueName(value));

    QPalette colours = palette();
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    QString reason;
    if (!stop.isEmpty()) {
        colours.setColor(QPalette::Base, problemColour);
        pixmap = QStyle::SP_MessageBoxCritical;
        reason = stop;
    } else if (problem) {
        colours.setColor(QPalette::Base, missing ? missingColour : problemColour);
        pixmap = missing ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxWarning;
        reason = QString::fromStdString(*problem);
    }
    field.setPalette(colours);
    icon.setVisible(pixmap != QStyle::SP_CustomBase);
    if (pixmap != QStyle::SP_CustomBase) icon.setIcon(style()->standardIcon(pixmap));
    const QString tip = reason.isEmpty() ? QString() : translated("%1：%2", {name, reason});
    field.setToolTip(tip);
    icon.setToolTip(tip);
    field.setProperty("problem", reason);
}

void ObservationTablePanel::foldIntoOneColumn() {
    auto* grid = static_cast<QGridLayout*>(layout());
    struct Moved {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Moved> moved;
    for (int index = grid->count() - 1; index >= 0; --index) {
        Moved place{nullptr, 0, 0, 0, 0};
        grid->getItemPosition(index, &place.row, &place.column, &place.rowSpan, &place.columnSpan);
        if (place.column < 3) continue;
        place.item = grid->takeAt(index);
        moved.push_back(place);
    }
    int lastRow = leftRows_;
    for (const Moved& place : moved) {
        // The angles' heading stood in row 1, beside the start data's heading: it comes right after the names.
        const int row = leftRows_ + place.row - 1;
        grid->addItem(place.item, row, place.column - 3, place.rowSpan, place.columnSpan);
        lastRow = std::max(lastRow, row + place.rowSpan);
    }
    for (int row = 0; row < grid->rowCount(); ++row) grid->setRowStretch(row, row == lastRow ? 1 : 0);
}

bool ObservationTablePanel::problemShown(EnteredValue value) const {
    return everyProblemShown_ || touched_[indexOf(value)];
}

void ObservationTablePanel::showEveryProblem() {
    if (everyProblemShown_) return;
    everyProblemShown_ = true;
    showDocument();
}

void ObservationTablePanel::forgetTouched() {
    touched_.fill(false);
    everyProblemShown_ = false;
}

void ObservationTablePanel::clearStops() {
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        if (stops_[k].isEmpty()) continue;
        stops_[k].clear();
        showCheck(static_cast<EnteredValue>(k));
    }
}

void ObservationTablePanel::markStop(EnteredValue value, const QString& reason) {
    stops_[indexOf(value)] = reason;
    showCheck(value);
    cell(value).setFocus();
}

void ObservationTablePanel::moveAfter(EnteredValue value) {
    for (std::size_t k = indexOf(value) + 1; k < enteredValueCount; ++k) {
        if (cells_[k]->isEnabled()) {
            cells_[k]->setFocus(Qt::TabFocusReason);
            cells_[k]->selectAll();
            return;
        }
    }
    compute_->setFocus(Qt::TabFocusReason);
}

void ObservationTablePanel::highlightDiagram(EnteredValue value, bool on) {
    for (auto& [label, colours] : lit_) {
        if (label) label->setPalette(colours);
    }
    lit_.clear();
    if (!on) return;
    for (const Control& control : diagramLabels(document_.observations(), value)) {
        auto* label = diagramWindow_.findChild<QLabel*>(controlObjectName(control));
        if (!label) continue;
        lit_.emplace_back(label, label->palette());
        QPalette lit = label->palette();
        lit.setColor(label->backgroundRole(), litColour);
        label->setPalette(lit);
    }
}

bool ObservationTablePanel::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(cells_.begin(), cells_.end(), watched);
    if (found == cells_.end()) return QWidget::eventFilter(watched, event);
    const auto value = static_cast<EnteredValue>(found - cells_.begin());
    switch (event->type()) {
    case QEvent::FocusIn:
        highlightDiagram(value, true);
        emit statusText((*found)->toolTip());
        break;
    case QEvent::FocusOut: highlightDiagram(value, false); break;
    case QEvent::ShortcutOverride: {
        // Undo and redo are the table's, not the cell's own: one list of edits across all cells.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace morvalen::app
