#include "app/RowChooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/Translated.h"

namespace morvalen::app {
namespace {

// A file of more rows than this is searched for its row, not scrolled through: a list shows at most this many.
constexpr int rowsListed = 200;

QString questionOf(const QStringList& rows) {
    return translated("文件中有 %1 组观测数据，选择一组：", {QString::number(rows.size())});
}

// The rows of a long file: a search line over the rows that hold what is typed (an id, a line number), the first
// rowsListed of them listed, Enter or a double click taking the row chosen.
std::optional<std::size_t> searchRow(QWidget& parent, const QStringList& rows) {
    QDialog dialog(&parent);
    dialog.setObjectName(QStringLiteral("RowSearchDialog"));
    dialog.setWindowTitle(translated("打开观测数据"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(questionOf(rows), &dialog));
    auto* search = new QLineEdit(&dialog);
    search->setObjectName(QStringLiteral("RowSearch"));
    search->setPlaceholderText(translated("输入 id 或行号查找"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("RowList"));
    auto* count = new QLabel(&dialog);
    count->setObjectName(QStringLiteral("RowCount"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(search);
    layout->addWidget(list, 1);
    layout->addWidget(count);
    layout->addWidget(buttons);

    const auto showMatching = [&] {
        list->clear();
        const QString wanted = search->text().trimmed();
        int matching = 0;
        for (int i = 0; i < rows.size(); ++i) {
            if (!wanted.isEmpty() && !rows[i].contains(wanted, Qt::CaseInsensitive)) continue;
            if (++matching > rowsListed) continue;
            auto* item = new QListWidgetItem(rows[i], list);
            item->setData(Qt::UserRole, i);
        }
        count->setText(matching > rowsListed
                           ? translated("共 %1 行相符，列出前 %2 行：输入 id 可缩小范围",
                                        {QString::number(matching), QString::number(rowsListed)})
                           : translated("共 %1 行", {QString::number(matching)}));
        list->setCurrentRow(0);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(list->count() > 0);
    };
    QObject::connect(search, &QLineEdit::textChanged, &dialog, showMatching);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    showMatching();
    dialog.resize(dialog.sizeHint().expandedTo(QSize(480, 420)));
    if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
    return static_cast<std::size_t>(list->currentItem()->data(Qt::UserRole).toInt());
}

}  // namespace

std::optional<std::size_t> chooseRow(QWidget& parent, const files::ObservationFileRows& file) {
    if (file.rows.size() <= 1) return 0;
    QStringList rows;
    for (const files::TableRow& row : file.rows) {
        const std::string id = file.columns.id(row);
        // Each number named: the line of the file (as a spreadsheet counts it) and the data set's id.
        const QString line = translated("文件第 %1 行", {QString::number(row.sheetRow)});
        rows << (id.empty() ? line : translated("%1，id：%2", {line, QString::fromStdString(id)}));
    }
    if (rows.size() > rowsListed) return searchRow(parent, rows);
    bool chosen = false;
    const QString row = QInputDialog::getItem(&parent, translated("打开观测数据"), questionOf(rows), rows, 0, false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<std::size_t>(rows.indexOf(row));
}

}  // namespace morvalen::app
