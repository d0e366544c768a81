// The message boxes of the window: wide enough to read a sentence at a glance.
#pragma once

#include <QMessageBox>
#include <QString>

namespace morvalen::app {

// Gives the box's texts the width of about thirty-four Chinese characters, so that a message of about sixty characters
// takes two lines instead of five, and shows them as plain text: a file name with markup in it stays as named.
void widenForSentences(QMessageBox& box);

// A modal message box over `parent` with its title, icon, main text and, where given, the detail below it.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                 const QString& detail = {});

}  // namespace morvalen::app
