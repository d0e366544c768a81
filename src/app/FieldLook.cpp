#include "app/FieldLook.h"

#include <QApplication>
#include <QLineEdit>

namespace morvalen::app {

namespace {
constexpr const char* staleProperty = "stale";
}

void makeDisplayOnly(QLineEdit& field) {
    field.setReadOnly(true);
    field.setFocusPolicy(Qt::NoFocus);
}

void showStale(QLineEdit& field, bool stale) {
    if (isShownStale(field) == stale) return;
    QPalette colours = field.palette();
    const QColor text = stale ? staleTextColour : QApplication::palette(&field).color(QPalette::Text);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) colours.setColor(group, QPalette::Text, text);
    field.setPalette(colours);
    field.setProperty(staleProperty, stale);
}

bool isShownStale(const QLineEdit& field) { return field.property(staleProperty).toBool(); }

}  // namespace morvalen::app
