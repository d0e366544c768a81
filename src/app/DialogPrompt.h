// The modal prompt of the window: one prompt text, an empty input line, 确定 and 取消.
#pragma once

#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>
#include <string>

#include "entry/FrontEnd.h"

class QDialog;
class QInputDialog;
class QWidget;

namespace morvalen::app {

// Asks each value in a QInputDialog over the main window. The window is blocked while the prompt is open but keeps
// repainting, so the echo of the value just typed is visible while its confirmation is asked.
class DialogPrompt : public Prompt {
public:
    explicit DialogPrompt(QWidget* window) : window_(window) {}

    // The part of the window, in its own pixels, over which the prompt opens: centred across it, at its top. The
    // window chooses a part that no echo field lies in, so the value being confirmed stays in sight.
    void setPlacement(const QRect& areaOfWindow) { placement_ = areaOfWindow; }

    // Returns the typed text, or the empty text when the prompt is dismissed (取消, Escape, closing the prompt).
    // Throws RunStopped when the window is closed while the prompt is open or before it opens.
    std::string ask(const std::string& promptText) override;
    // A prompt of the entry sequence: asked as ask() does. Each reply to an entry or re-entry is handed to the
    // listener of `onReply` as soon as it is typed, so that a run that stops loses nothing typed. A reply kept as
    // typed though likely mistyped (a dd.mmss value with 60 minutes or seconds, a start side number of 2.5) gets
    // its warning beneath the next prompt's text, the one that confirms it.
    std::string answer(const PromptRequest& request) override;
    void onReply(std::function<void(EnteredValue, const std::string&)> listener) { onReply_ = std::move(listener); }
    bool isOpen() const;

    // The window is closing: dismisses the open prompt, and every prompt from now on stops the run.
    void endForClosingWindow();
    bool windowClosing() const { return windowClosing_; }

private:
    QWidget* window_;
    QRect placement_;
    QPointer<QInputDialog> openDialog_;
    bool windowClosing_ = false;
    std::function<void(EnteredValue, const std::string&)> onReply_;
    std::string pendingWarning_;  // shown beneath the next prompt's text
};

// Width of the prompt window in pixels at 96 dpi: at least the first, widened up to the second so that a prompt
// text stays on one line; only a longer text wraps.
inline constexpr int promptWidthPixels = 380;
inline constexpr int widestPromptPixels = 640;

}  // namespace morvalen::app
