// The read-only tables of the windows beside the main window (checks, field book): cells, tables fitted to their
// contents, 超限 in red.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <string_view>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace morvalen::app {

inline const QColor failedColour(255, 0, 0);

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A read-only cell; a cell that says 超限 or 可疑 in red.
QTableWidgetItem* cell(const QString& text);

// A table named `name` with these column heads, `rows` rows, no row numbers, nothing to select.
QTableWidget* table(const QString& name, const QStringList& heads, int rows, QWidget* parent);

// The table as large as its cells, without scroll bars.
void fitRows(QTableWidget* widget);

}  // namespace morvalen::app
