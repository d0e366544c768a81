#include "app/MessageBoxes.h"

#include <QLabel>

namespace morvalen::app {

namespace {
constexpr int charactersPerLine = 34;
}

void widenForSentences(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    for (auto* label : box.findChildren<QLabel*>()) {
        // The icon is a label too; only the text labels are widened.
        if (label->objectName() != "qt_msgbox_label" && label->objectName() != "qt_msgbox_informativelabel") continue;
        // A file name such as "<b>x</b>.csv" is shown as it is named, never as markup.
        label->setTextFormat(Qt::PlainText);
        const int lineWidth = label->fontMetrics().horizontalAdvance(QString(charactersPerLine, QChar(0x4E2D)));
        label->setWordWrap(true);
        // The box measures its main text unwrapped to decide whether to wrap it: a minimum width narrower than a
        // longer text would hide the text's length, and the box would keep it on one line, cut at the right.
        const bool longMainText = label->objectName() == "qt_msgbox_label" &&
                                  label->fontMetrics().horizontalAdvance(label->text()) > lineWidth;
        if (longMainText) continue;
        label->setMinimumWidth(lineWidth);
    }
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                 const QString& detail) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty()) box.setInformativeText(detail);
    widenForSentences(box);
    box.exec();
}

}  // namespace morvalen::app
