#include "app/WindowLayout.h"

#include <QtMath>

#include "app/Translated.h"

namespace morvalen::app {

namespace {

QRect rectangle(const form::Box& box) { return QRect(box.left, box.top, box.width, box.height); }
QColor colour(const form::Colour& colour) { return QColor(colour.red, colour.green, colour.blue); }
QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString shown(const form::FaceLabel& label) {
    switch (label.kind) {
    case form::TextKind::translated: return translated(label.text.c_str());
    case form::TextKind::caption: return translatedCaption(label.text.c_str());
    case form::TextKind::plain: break;
    }
    return text(label.text);
}

std::vector<LabelControl> buildLabels() {
    std::vector<LabelControl> labels;
    for (const form::FaceLabel& label : form::faceLabels()) {
        labels.push_back({label.control, shown(label), rectangle(label.twips), label.font});
    }
    return labels;
}

std::vector<FieldControl> buildFields() {
    std::vector<FieldControl> fields;
    for (const form::FaceField& field : form::faceFields()) fields.push_back({field.control, rectangle(field.twips)});
    return fields;
}

std::vector<LineControl> buildLines() {
    std::vector<LineControl> lines;
    for (const form::FaceLine& line : form::faceLines()) {
        const form::Segment& ends = line.twips;
        lines.push_back({controlObjectName(line.control), QLine(ends.x1, ends.y1, ends.x2, ends.y2), colour(line.colour),
                         line.widthPixels});
    }
    return lines;
}

std::vector<ButtonControl> buildButtons() {
    std::vector<ButtonControl> buttons;
    for (const form::FaceButton& button : form::faceButtons()) {
        buttons.push_back({controlObjectName(button.control), translated(button.text.c_str()), rectangle(button.twips),
                           colour(button.colour)});
    }
    return buttons;
}

}  // namespace

QString controlObjectName(const Control& control) { return QString::fromStdString(form::objectName(control)); }

const std::vector<LabelControl>& labelControls() {
    static const std::vector<LabelControl> labels = buildLabels();
    return labels;
}

const std::vector<FieldControl>& fieldControls() {
    static const std::vector<FieldControl> fields = buildFields();
    return fields;
}

const std::vector<LineControl>& lineControls() {
    static const std::vector<LineControl> lines = buildLines();
    return lines;
}

const std::vector<ButtonControl>& buttonControls() {
    static const std::vector<ButtonControl> buttons = buildButtons();
    return buttons;
}

int twipsToPixels(int twips, double dotsPerInch) { return qRound(twips * dotsPerInch / 1440.0); }

QRect twipsToPixels(const QRect& twips, double dotsPerInchX, double dotsPerInchY) {
    return QRect(twipsToPixels(twips.left(), dotsPerInchX), twipsToPixels(twips.top(), dotsPerInchY),
                 twipsToPixels(twips.width(), dotsPerInchX), twipsToPixels(twips.height(), dotsPerInchY));
}

QPoint twipsToPixels(const QPoint& twips, double dotsPerInchX, double dotsPerInchY) {
    return QPoint(twipsToPixels(twips.x(), dotsPerInchX), twipsToPixels(twips.y(), dotsPerInchY));
}

}  // namespace morvalen::app
