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
        const QString shownId = id.empty() ? QString() : "  " + QString::fromStdString(id);
        rows << translated("第 %1 行%2", {QString::number(row.sheetRow), shownId});
    }
    bool chosen = false;
    const QString row =
        QInputDialog::getItem(&parent, translated("打开观测数据"), translated("选择一组观测数据："), rows, 0, false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<std::size_t>(rows.indexOf(row));
}

}  // namespace morvalen::app
