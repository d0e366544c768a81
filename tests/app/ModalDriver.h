// Answers the modal windows of the main window the way a surveyor would: types into the prompt and accepts it,
// dismisses it, or acknowledges a message box. A timer looks for the active modal window while the window's own
// modal loop runs, so the real dialogs are driven, not a stand-in.
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace morvalen::testing {

class ModalDriver {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalDriver() {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // Types `text` into the next prompt and accepts it; `whileOpen` runs first, with the prompt still open.
    void reply(const std::string& text, std::function<void(QInputDialog&)> whileOpen = {}) {
        steps_.push_back([this, text, whileOpen](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            if (!dialog) return unexpected(modal, "a prompt");
            prompts.push_back(dialog->labelText().toStdString());
            if (whileOpen) whileOpen(*dialog);
            dialog->setTextValue(QString::fromStdString(text));
            dialog->accept();
        });
    }

    void replies(const std::vector<std::string>& texts) {
        for (const auto& text : texts) reply(text);
    }

    // Dismisses the next prompt with 取消, after typing `typedFirst` into it.
    void dismissPrompt(const std::string& typedFirst = {}) {
        steps_.push_back([this, typedFirst](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            if (!dialog) return unexpected(modal, "a prompt");
            prompts.push_back(dialog->labelText().toStdString());
            dialog->setTextValue(QString::fromStdString(typedFirst));
            dialog->reject();
        });
    }

    // Reads the next message box and closes it with its button.
    void acknowledgeMessage() {
        steps_.push_back([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return unexpected(modal, "a message box");
            messages.push_back((box->text() + "\n" + box->informativeText()).toStdString());
            box->accept();
        });
    }

    // Answers the next message box as Enter does, with its default button.
    void pressDefaultButton() {
        steps_.push_back([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box || !box->defaultButton()) return unexpected(modal, "a question");
            box->defaultButton()->click();
        });
    }

    // Runs `step` on the next modal window; the step must close it or make the window close it.
    void then(Step step) { steps_.push_back(std::move(step)); }

    std::size_t stepsLeft() const { return steps_.size(); }

    std::vector<std::string> prompts;   // texts of the prompts answered, in order
    std::vector<std::string> messages;  // text and detail of each message box acknowledged
    std::vector<std::string> failures;  // modal windows that came unasked or of the wrong kind

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answeredByDriver").toBool()) return;
        modal->setProperty("answeredByDriver", true);
        if (steps_.empty()) return unexpected(modal, "nothing");
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    // Records the surprise and closes the window, so that a faulty run ends instead of waiting for ever.
    void unexpected(QWidget* modal, const char* expected) {
        QString shown = modal->metaObject()->className();
        if (auto* dialog = qobject_cast<QInputDialog*>(modal)) shown += ": " + dialog->labelText();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) shown += ": " + box->informativeText();
        failures.push_back("expected " + std::string(expected) + ", got " + shown.toStdString());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
    }

    QTimer timer_;
    std::deque<Step> steps_;
};

}  // namespace morvalen::testing
