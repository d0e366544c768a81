// How a text field of the window looks: shown by the program only, and greyed while its text belongs to an earlier
// computation.
#pragma once

#include <QColor>

class QLineEdit;

namespace morvalen::app {

// Grey of a field whose text the last computation did not write.
inline const QColor staleTextColour{128, 128, 128};

// The program alone writes a field: it takes no keyboard focus and shows no caret, while its text can still be
// selected with the mouse and copied through the field's menu.
void makeDisplayOnly(QLineEdit& field);

// Draws the text grey (stale) or in the normal text colour; the text itself is not touched.
void showStale(QLineEdit& field, bool stale);
bool isShownStale(const QLineEdit& field);

}  // namespace morvalen::app
