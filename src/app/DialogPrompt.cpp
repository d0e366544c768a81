#include "app/DialogPrompt.h"

#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <utility>

#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"
#include "i18n/Language.h"

namespace morvalen::app {

namespace {

[[noreturn]] void stopForClosedWindow() {
    throw RunStopped(i18n::translate("输入数据"), i18n::translate("窗口已关闭，计算未完成"));
}

// The dialog sizes itself to its contents, so the width is given to the label. A prompt is shown on one line, so that
// no bracketed group such as "( 即为:0 )" and no word is split; only a text wider than the widest prompt window
// wraps.
void fitPromptText(QLabel& label, const QDialog& dialog) {
    const double scale = dialog.logicalDpiX() / 96.0;
    const int textWidth = label.fontMetrics().horizontalAdvance(label.text());
    const int narrowest = qRound(promptWidthPixels * scale);
    const int widest = qRound(widestPromptPixels * scale);
    const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
    const int width = qBound(narrowest - margins.left() - margins.right(), textWidth, widest);
    label.setWordWrap(textWidth > width);
    label.setMinimumWidth(width);
}

}  // namespace

std::string DialogPrompt::ask(const std::string& promptText) {
    if (windowClosing_) stopForClosedWindow();

    QInputDialog dialog(window_);
    dialog.setWindowTitle(window_->windowTitle());
    dialog.setInputMode(QInputDialog::TextInput);
    const std::string warning = std::exchange(pendingWarning_, std::string());
    dialog.setLabelText(QString::fromStdString(warning.empty() ? promptText : promptText + "\n\n" + warning));
    dialog.setTextValue(QString());
    if (auto* label = dialog.findChild<QLabel*>()) fitPromptText(*label, dialog);

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

std::string DialogPrompt::answer(const PromptRequest& request) {
    std::string typed = ask(request.text);
    if (request.role != PromptRole::confirmation) {
        pendingWarning_ = replyWarning(request.value, typed);
        if (onReply_) onReply_(request.value, typed);
    }
    return typed;
}

bool DialogPrompt::isOpen() const { return !openDialog_.isNull(); }

void DialogPrompt::endForClosingWindow() {
    windowClosing_ = true;
    if (openDialog_) openDialog_->reject();
}

}  // namespace morvalen::app
