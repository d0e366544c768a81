#include "app/TableCells.h"

#include <QHeaderView>
#include <QTableWidget>

#include "analysis/ChecksText.h"
#include "app/Translated.h"

namespace morvalen::app {

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // The verdicts as the code writes them or in the language of the interface, whichever the caller gave.
    for (const std::string_view verdict : {analysis::failedText, analysis::suspectText}) {
        if (text == qText(verdict) || text == translated(verdict.data())) item->setForeground(failedColour);
    }
    return item;
}

QTableWidget* table(const QString& name, const QStringList& heads, int rows, QWidget* parent) {
    auto* widget = new QTableWidget(rows, static_cast<int>(heads.size()), parent);
    widget->setObjectName(name);
    widget->setHorizontalHeaderLabels(heads);
    widget->verticalHeader()->hide();
    widget->setSelectionMode(QAbstractItemView::NoSelection);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

void fitRows(QTableWidget* widget) {
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widget->resizeColumnsToContents();
    widget->resizeRowsToContents();
    for (int column = 0; column < widget->columnCount(); ++column) {
        widget->setColumnWidth(column, widget->columnWidth(column) + 12);
    }
    int height = widget->horizontalHeader()->sizeHint().height() + 2 * widget->frameWidth();
    for (int row = 0; row < widget->rowCount(); ++row) height += widget->rowHeight(row);
    widget->setFixedSize(widget->horizontalHeader()->length() + 2 * widget->frameWidth(), height);
}

}  // namespace morvalen::app
