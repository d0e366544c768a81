#include "app/RowChooser.h"

#include <QInputDialog>
#include <QStringList>

#include "app/Translated.h"

namespace morvalen::app {

std::optional<std::size_t> chooseRow(QWidget& parent, const files::ObservationFileRows& file) {
    if (file.rows.size() <= 1) return 0;
    QStringList rows;
    for (const files::TableRow& row : file.rows) {
        const std::string id = file.columns.id(row);
        // Each number named: the line of the file (as a spreadsheet counts it) and the data set's id.
        const QString line = translated("文件第 %1 行", {QString::number(row.sheetRow)});
        rows << (id.empty() ? line : translated("%1，id：%2", {line, QString::fromStdString(id)}));
    }
    bool chosen = false;
    const QString row =
        QInputDialog::getItem(&parent, translated("打开观测数据"), translated("文件中有 %1 组观测数据，选择一组：", {QString::number(file.rows.size())}), rows, 0, false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<std::size_t>(rows.indexOf(row));
}

}  // namespace morvalen::app
