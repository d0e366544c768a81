#include "app/StepsWindow.h"

#include <QDialogButtonBox>
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
#include "entry/SurveyState.h"
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

StepsWindow::StepsWindow(const report::StepsDocument& document, bool printable, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(translated(report::stepsTitle));
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    auto* tables = new QVBoxLayout(content);
    int tableCount = 0;
    for (const report::StepsSection& section : document.sections) {
        tables->addWidget(label(section.heading, content, true));
        for (const report::StepsTable& table : section.tables) {
            tables->addWidget(label(table.title, content));
            tables->addWidget(tableWidget(table, QStringLiteral("StepsTable%1").arg(++tableCount), content));
            for (const std::string& note : table.notes) tables->addWidget(label(note, content));
        }
    }
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
    printPages({}, QStringLiteral("morvalen-steps.pdf"), this, nullptr, &document_);
}

StepsMenu::StepsMenu(const RunRecord& run, QWidget* window)
    : QMenu(translated("计算过程"), window), run_(run), window_(window) {
    setObjectName(QStringLiteral("StepsMenu"));
    QAction* show = addAction(translated("计算过程表…"));
    show->setObjectName(QStringLiteral("ShowSteps"));
    connect(show, &QAction::triggered, this, &StepsMenu::showSteps);
}

void StepsMenu::showSteps() {
    const report::StepsDocument document = report::stepsDocument(run_.state, run_.steps);
    StepsWindow window(document, report::printingAllowed(run_.state), window_);
    if (window_->property("resultsStale").toBool()) markStaleWindow(window);
    window.exec();
}

}  // namespace morvalen::app
