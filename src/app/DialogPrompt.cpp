#include "app/DialogPrompt.h"

#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QScreen>

#include "entry/RunStopped.h"

namespace morvalen::app {

namespace {

[[noreturn]] void stopForClosedWindow() { throw RunStopped("输入数据", "窗口已关闭，计算未完成"); }

}  // namespace

std::string DialogPrompt::ask(const std::string& promptText) {
    if (windowClosing_) stopForClosedWindow();

    QInputDialog dialog(window_);
    dialog.setWindowTitle(window_->windowTitle());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QString::fromStdString(promptText));
    dialog.setTextValue(QString());
    // The dialog sizes itself to its contents, so the width is given to the label; a long text then wraps.
    if (auto* label = dialog.findChild<QLabel*>()) {
        const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
        const int width = qRound(promptWidthPixels * window_->logicalDpiX() / 96.0);
        label->setWordWrap(true);
        label->setMinimumWidth(width - margins.left() - margins.right());
    }

    if (placement_.isValid()) {
        dialog.adjustSize();
        const QPoint topCentre(placement_.center().x() - dialog.width() / 2, placement_.top());
        QRect wanted(window_->mapToGlobal(topCentre), dialog.size());
        // A window pushed partly off the screen still gets its prompt where it can be answered.
        const QRect screen = window_->screen()->availableGeometry();
        wanted.moveRight(qMin(wanted.right(), screen.right()));
        wanted.moveBottom(qMin(wanted.bottom(), screen.bottom()));
        wanted.moveLeft(qMax(wanted.left(), screen.left()));
        wanted.moveTop(qMax(wanted.top(), screen.top()));
        dialog.move(wanted.topLeft());
    }

    openDialog_ = &dialog;
    const int result = dialog.exec();
    openDialog_ = nullptr;

    if (windowClosing_) stopForClosedWindow();
    return result == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

void DialogPrompt::endForClosingWindow() {
    windowClosing_ = true;
    if (openDialog_) openDialog_->reject();
}

}  // namespace morvalen::app
