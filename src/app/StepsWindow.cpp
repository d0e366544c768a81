#include "app/StepsWindow.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/AskFirst.h"
#include "app/PrintCommand.h"
#include "app/ScreenFit.h"
#include "app/TableCells.h"
#include "app/Translated.h"
#include "app/MessageBoxes.h"
#include "entry/SurveyState.h"
#include "exercise/ExerciseFiles.h"
#include "files/AtomicFile.h"
#include "form/FieldText.h"
#include "report/ReportModel.h"

namespace morvalen::app {
namespace {

Qt::Alignment alignmentOf(report::Alignment alignment) {
    switch (alignment) {
    case report::Alignment::left: return Qt::AlignLeft | Qt::AlignVCenter;
    case report::Alignment::right: return Qt::AlignRight | Qt::AlignVCenter;
    case report::Alignment::centre: break;
    }
    return Qt::AlignCenter;
}

// One table of the model as a read-only table widget as large as its cells.
QTableWidget* tableWidget(const report::StepsTable& model, const QString& name, QWidget* parent) {
    QStringList heads;
    for (const std::string& head : model.heads) heads << qText(head);
    QTableWidget* widget = table(name, heads, static_cast<int>(model.rows.size()), parent);
    for (std::size_t row = 0; row < model.rows.size(); ++row) {
        for (std::size_t column = 0; column < model.heads.size() && column < model.rows[row].size(); ++column) {
            QTableWidgetItem* item = cell(qText(model.rows[row][column]));
            item->setTextAlignment(alignmentOf(model.alignments.at(column)));
            widget->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
    fitRows(widget);
    return widget;
}

// The cells of the sheet on the tables: 表 n is the n-th table widget.
void markVerdict(const exercise::AnswerVerdict& verdict, const std::vector<QTableWidget*>& widgets) {
    for (const exercise::CellVerdict& cell : verdict.cells) {
        const std::optional<exercise::TablePlace> place = exercise::tablePlace(cell.key);
        if (!place || place->table < 1 || place->table > static_cast<int>(widgets.size())) continue;
        QTableWidgetItem* item = widgets[static_cast<std::size_t>(place->table - 1)]->item(place->row, place->column);
        if (!item) continue;
        const QColor colour = cell.ok() ? QColor(200, 240, 200) : cell.followsFrom.empty() ? QColor(250, 190, 190)
                                                                                            : QColor(250, 240, 170);
        item->setBackground(colour);
        item->setToolTip(qText(cell.key) + QStringLiteral("：") + qText(cell.given.empty() ? "—" : cell.given) +
                         QStringLiteral(" → ") + qText(exercise::verdictText(cell.verdict)));
        if (cell.key == verdict.firstWrong) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
        }
    }
}

QLabel* label(const std::string& text, QWidget* parent, bool bold = false) {
    auto* made = new QLabel(qText(text), parent);
    made->setWordWrap(true);
    if (bold) {
        QFont font = made->font();
        font.setBold(true);
        made->setFont(font);
    }
    return made;
}

}  // namespace

StepsWindow::StepsWindow(const report::StepsDocument& document, bool printable, QWidget* parent,
                         const exercise::AnswerVerdict* verdict)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(translated(report::stepsTitle));
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    auto* tables = new QVBoxLayout(content);
    int tableCount = 0;
    std::vector<QTableWidget*> widgets;
    if (verdict) {
        const std::string summary =
            (verdict->allRight() ? std::string(i18n::translate("全部正确"))
                                 : i18n::withArguments(i18n::translate("第一个错误：%1"), {verdict->firstWrong})) +
            "  " + i18n::withArguments(i18n::translate("得分：%1（%2 / %3）"),
                                       {roundedFixed(verdict->score, 1), std::to_string(verdict->right),
                                        std::to_string(verdict->counted)});
        QLabel* shown = label(summary, content, true);
        shown->setObjectName(QStringLiteral("AnswerVerdict"));
        tables->addWidget(shown);
    }
    for (const report::StepsSection& section : document.sections) {
        tables->addWidget(label(section.heading, content, true));
        for (const report::StepsTable& table : section.tables) {
            tables->addWidget(label(table.title, content));
            widgets.push_back(tableWidget(table, QStringLiteral("StepsTable%1").arg(++tableCount), content));
            tables->addWidget(widgets.back());
            for (const std::string& note : table.notes) tables->addWidget(label(note, content));
        }
    }
    if (verdict) markVerdict(*verdict, widgets);
    if (document.sections.empty()) {
        tables->addWidget(label(i18n::translate("没有计算过程：还没有进行计算，或计算在第一组平差之前已中止。"), content));
    }
    if (!document.stopNote.empty()) tables->addWidget(label(document.stopNote, content));
    tables->addStretch();
    scroll->setWidget(content);
    layout->addWidget(scroll);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(translated("打印计算过程"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("PrintSteps"));
    print->setEnabled(printable);
    QPushButton* close = buttons->addButton(translated("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseSteps"));
    connect(print, &QPushButton::clicked, this, &StepsWindow::printSteps);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    fitToScreen(*this, QSize(1000, 760));
}

void StepsWindow::printSteps() {
    printPages({}, QStringLiteral("morvalen-steps.pdf"), this, {}, &document_);
}

StepsMenu::StepsMenu(const RunRecord& run, QWidget* window)
    : QMenu(translated("计算过程"), window), run_(run), window_(window) {
    setObjectName(QStringLiteral("StepsMenu"));
    QAction* show = addAction(translated("计算过程表…"));
    show->setObjectName(QStringLiteral("ShowSteps"));
    connect(show, &QAction::triggered, this, &StepsMenu::showSteps);
    QAction* check = addAction(translated("核对我的答卷…"));
    check->setObjectName(QStringLiteral("CheckAnswer"));
    connect(check, &QAction::triggered, this, &StepsMenu::checkAnswer);
}

void StepsMenu::showSteps() {
    const report::StepsDocument document = report::stepsDocument(run_.state, run_.steps);
    StepsWindow window(document, report::printingAllowed(run_.state), window_);
    if (window_->property("resultsStale").toBool()) markStaleWindow(window);
    window.exec();
}

}  // namespace morvalen::app

namespace morvalen::app {

void StepsMenu::checkAnswer() {
    const std::vector<exercise::AnswerCell> cells = exercise::answerCells(run_.steps);
    if (cells.empty() || !run_.completed()) {
        showMessage(window_, QMessageBox::Warning, translated("核对我的答卷"), translated("没有完成的计算：请先计算这份练习的数据，再核对答卷。"));
        return;
    }
    const QString path = QFileDialog::getOpenFileName(window_, translated("核对我的答卷"), QString(),
                                                      translated("答卷 (*.csv);;所有文件 (*)"));
    if (path.isEmpty()) return;
    std::vector<exercise::SheetEntry> sheet;
    try {
        sheet = exercise::readAnswerSheet(files::pathOf(path.toStdString()));
    } catch (const exercise::ExerciseFileError& problem) {
        showMessage(window_, QMessageBox::Warning, translated("核对我的答卷"), qText(problem.what()));
        return;
    }
    const exercise::AnswerVerdict verdict = exercise::checkAnswer(cells, sheet);
    StepsWindow window(report::stepsDocument(run_.state, run_.steps), report::printingAllowed(run_.state), window_,
                       &verdict);
    window.exec();
}

}  // namespace morvalen::app
