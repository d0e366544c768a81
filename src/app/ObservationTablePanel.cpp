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
#include "entry/DecimalNumber.h"
#include "entry/ObservationChecks.h"
#include "files/ObservationTable.h"

namespace morvalen::app {
namespace {

// Colours of a cell: a value with a problem, a value the case needs and that is missing, a value the computation
// stopped at. Each goes with an icon of its own, so that the colour is never the only sign.
const QColor problemColour{255, 205, 205};
const QColor missingColour{215, 232, 255};
// The station, side or angle of the cell in focus, in the upper diagram.
const QColor litColour{255, 170, 60};

struct CellCaption {
    EnteredValue value;
    const char* caption;
};

// The captions of the cells beside them; the coordinates and angles keep the diagram's own symbols.
constexpr CellCaption startCaptions[] = {
    {EnteredValue::xa, "Xa"}, {EnteredValue::ya, "Ya"}, {EnteredValue::xb, "Xb"}, {EnteredValue::yb, "Yb"}};
constexpr CellCaption azimuthCaptions[] = {{EnteredValue::startSideLength, i18n::catalogued("起算边长 (米)")},
                                           {EnteredValue::startSideNumber, i18n::catalogued("起算边号")},
                                           {EnteredValue::Ta, i18n::catalogued("外方位角 Ta")},
                                           {EnteredValue::Qa, i18n::catalogued("定向角 Qa")}};
constexpr CellCaption nameCaptions[] = {{EnteredValue::nameA, "A"},
                                        {EnteredValue::nameP1, "P1"},
                                        {EnteredValue::nameP2, "P2"},
                                        {EnteredValue::nameP3, "P3"},
                                        {EnteredValue::nameClosing, i18n::catalogued("闭合点")}};

std::size_t indexOf(EnteredValue value) { return static_cast<std::size_t>(value); }

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The labels of the upper diagram (and of the lower one, for A and P3) that show the value's station, side or angle.
std::vector<QString> diagramLabels(const Observations& observations, EnteredValue value) {
    const bool azimuth = observations.runCase() == RunCase::azimuth;
    switch (value) {
    case EnteredValue::xa:
    case EnteredValue::ya: return {"Label42", "Label60", "Label62"};
    case EnteredValue::xb:
    case EnteredValue::yb: return {"Label43", "Label61"};
    case EnteredValue::startSideLength:
    case EnteredValue::startSideNumber: {
        const auto number = parseDecimal(observations.startSideNumber);
        const auto side = number ? toDouble(*number) : std::nullopt;
        for (int s = 1; s <= 6; ++s) {
            if (side && *side == s) return {QString("Label%1").arg(62 + s)};
        }
        return {};
    }
    case EnteredValue::Ta: return {"Label58"};
    case EnteredValue::Qa: return {"Label59"};
    case EnteredValue::nameA: return {"Label42", "Label46"};
    case EnteredValue::nameP1: return {"Label44", "Label47"};
    case EnteredValue::nameP2: return {"Label45", "Label48"};
    case EnteredValue::nameP3: return {"Label49"};
    case EnteredValue::nameClosing: return {azimuth ? "Label46" : "Label43"};
    default: break;
    }
    return {QString("Label%1").arg(50 + static_cast<int>(value) - static_cast<int>(EnteredValue::b1))};
}

}  // namespace

QString columnName(EnteredValue value) {
    return QString::fromStdString(files::campaignColumns()[static_cast<std::size_t>(files::columnOf(value))]);
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

    const auto addCell = [&](const CellCaption& caption, int row, int column) {
        auto* cell = new QLineEdit(this);
        cell->setFixedWidth(cellWidth);
        cell->setObjectName("Cell_" + columnName(caption.value));
        cell->installEventFilter(this);
        cells_[indexOf(caption.value)] = cell;
        // The form an angle is typed in, grey in the empty cell.
        if (caption.value >= EnteredValue::b1 || caption.value == EnteredValue::Ta || caption.value == EnteredValue::Qa) {
            cell->setPlaceholderText(QStringLiteral("dd.mmss"));
        }
        icons_[indexOf(caption.value)] = cell->addAction(QIcon(), QLineEdit::TrailingPosition);
        auto* label = new QLabel(translatedCaption(caption.caption), this);
        label->setBuddy(cell);
        grid->addWidget(label, row, column);
        grid->addWidget(cell, row, column + 1);
        const EnteredValue value = caption.value;
        connect(cell, &QLineEdit::textEdited, this, [this, value](const QString& text) {
            stops_[indexOf(value)].clear();
            touched_[indexOf(value)] = true;
            document_.editCell(value, text.toStdString());
            emit edited();
        });
        connect(cell, &QLineEdit::returnPressed, this, [this, value] { moveAfter(value); });
    };

    int row = 0;
    grid->addWidget(heading(translated("观测数据表"), this), row++, 0, 1, 5);
    grid->addWidget(heading(translated("起算数据"), this), row++, 0, 1, 2);
    for (const CellCaption& caption : startCaptions) addCell(caption, row++, 0);
    caseText_ = new QLabel(this);
    caseText_->setObjectName(QStringLiteral("CaseText"));
    caseText_->setWordWrap(true);
    caseText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // the cells set the width, the text wraps
    grid->addWidget(caseText_, row++, 0, 1, 2);
    for (const CellCaption& caption : azimuthCaptions) addCell(caption, row++, 0);
    grid->addWidget(heading(translated("点名"), this), row++, 0, 1, 2);
    for (const CellCaption& caption : nameCaptions) addCell(caption, row++, 0);
    const int lastLeftRow = row;
    leftRows_ = row;

    row = 1;
    grid->addWidget(heading(translated("观测角 (dd.mmss)"), this), row++, 3, 1, 2);
    for (int k = 0; k < 8; ++k) {
        static const char* const names[] = {"b(1)", "b(2)", "b(3)", "b(4)", "b(5)", "b(6)", "b(7)", "b(8)"};
        addCell({enteredAfter(EnteredValue::b1, k), names[k]}, row++, 3);
    }
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
    for (const QString& name : diagramLabels(document_.observations(), value)) {
        auto* label = diagramWindow_.findChild<QLabel*>(name);
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
