#include "app/AskFirst.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <system_error>

#include "app/MessageBoxes.h"
#include "app/Translated.h"
#include "files/AtomicFile.h"

namespace morvalen::app {
namespace {

// A question titled `title` with one button that goes ahead and 取消. 取消 is the default, so that Enter never
// loses anything, unless going ahead can be undone.
bool confirmed(QWidget* parent, const QString& title, const QString& name, const QString& text, const QString& detail,
               const QString& goAhead, bool undoable = false) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(name);
    box.setInformativeText(detail);
    QPushButton* ahead = box.addButton(goAhead, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(undoable ? ahead : cancel);
    widenForSentences(box);
    box.exec();
    return box.clickedButton() == ahead;
}

}  // namespace

QString staleResultsText() {
    return translated("结果已过时：不是由观测数据表中现在的数值算出的。按 F5 重新计算。");
}

bool mayUseStaleResults(QWidget* parent, const QString& what) {
    return confirmed(parent, what, QStringLiteral("StaleResults"), staleResultsText(),
                     translated("仍然%1上次计算的结果，还是取消后重新计算？", {what}),
                     translated("仍然%1(&U)", {what}));
}

bool mayReplaceTableByDialogue(QWidget* parent) {
    return confirmed(parent, translated("计 算"), QStringLiteral("DialogueReplacesTable"),
                     translated("“计 算”将逐项询问全部数值，并用回答替换观测数据表中未保存的数值。"),
                     translated("替换是一步，可用 编辑 → 撤销 恢复。用表中的数值计算请按 F5。"),
                     translated("逐项输入(&A)"), true);
}

std::optional<SaveInto> askHowToSaveInto(QWidget* parent, const std::filesystem::path& path) {
    std::error_code status;
    if (!(std::filesystem::file_size(path, status) > 0) || status) return SaveInto::addRow;
    QMessageBox box(QMessageBox::Question, parent ? parent->window()->windowTitle() : QString(),
                    translated("%1 已经存在。", {QString::fromStdString(files::shownPath(path))}), QMessageBox::NoButton,
                    parent);
    box.setObjectName(QStringLiteral("ReplaceOrAddRow"));
    box.setInformativeText(translated("加一行：这组观测数据加在文件末尾，原有的行不变；"
                                      "替换：文件只保存这一组观测数据，原有的行全部删去。"));
    QPushButton* add = box.addButton(translated("加一行(&A)"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(translated("替换(&R)"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(add);
    widenForSentences(box);
    box.exec();
    if (box.clickedButton() == add) return SaveInto::addRow;
    if (box.clickedButton() == replace) return SaveInto::replaceFile;
    return std::nullopt;
}

void markStaleWindow(QDialog& window) {
    window.setWindowTitle(window.windowTitle() + translated("（已过时）"));
    auto* mark = new QLabel(staleResultsText(), &window);
    mark->setObjectName(QStringLiteral("StaleMark"));
    mark->setWordWrap(true);
    mark->setStyleSheet(QStringLiteral("QLabel { color: rgb(160, 0, 0); font-weight: bold; }"));
    if (auto* column = qobject_cast<QBoxLayout*>(window.layout())) column->insertWidget(0, mark);
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (!button->objectName().startsWith(QStringLiteral("Print"))) continue;
        button->setEnabled(false);
        button->setToolTip(translated("过时的结果不打印：先按 F5 重新计算。"));
    }
}

}  // namespace morvalen::app
