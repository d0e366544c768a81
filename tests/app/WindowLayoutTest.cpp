// The window as drawn: every control at its place in twips, its caption, face and colour.
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "QtTestEnvironment.h"
#include "app/DiagramLine.h"
#include "app/MainWindow.h"
#include "app/WindowLayout.h"

namespace {

using morvalen::app::DiagramLine;
using morvalen::app::MainWindow;

// Each control as the layout of the window gives it: object name, caption, left, top, width, height in twips.
struct Placed {
    QString name;
    QString caption;
    int left, top, width, height;
};

// Each field with the caption that stands to its left. The captions of the angles are found by the angle they name,
// since two of them stand swapped.
std::vector<std::pair<QString, QString>> captionedFields() {
    std::vector<std::pair<QString, QString>> pairs = {
        {"Label3", "Text1"},   {"Label4", "Text2"},   {"Label5", "Text3"},   {"Label6", "Text4"},
        {"Label33", "Text19"}, {"Label8", "Text5"},   {"Label9", "Text6"},   {"Label28", "Text15"},
        {"Label34", "Text16"}, {"Label35", "Text17"}, {"Label36", "Text18"}, {"Label37", "Text8"},
        {"Label38", "Text9"},  {"Label39", "Text10"}, {"Label40", "Text11"}};
    for (const QString r : {"0", "1", "2", "3", "4"}) {
        pairs.insert(pairs.end(), {{"Label16_" + r, "Text12_" + r}, {"Label17_" + r, "Text13_" + r},
                                   {"Label18_" + r, "Text14_" + r}});
    }
    return pairs;
}

struct ExpectedLine {
    QString name;
    int x1, y1, x2, y2;
    QColor colour;
    int width;
};

std::vector<ExpectedLine> expectedLines() {
    const QColor red(255, 0, 0), black(0, 0, 0), green(0, 192, 0);
    return {
        {"Line17", 480, 1800, 11040, 1800, red, 3},   {"Line19", 480, 2520, 11040, 2520, red, 3},
        {"Line20", 480, 6840, 11040, 6840, red, 3},   {"Line21", 480, 1800, 480, 6840, red, 3},
        {"Line22", 11040, 1800, 11040, 6840, red, 3}, {"Line18", 3240, 2520, 3240, 6840, red, 3},
        {"Line26", 5280, 2520, 5280, 6840, red, 3},   {"Line23", 1560, 6840, 1560, 9480, red, 3},
        {"Line25", 10080, 6840, 10080, 9480, red, 3}, {"Line24", 1560, 9480, 10080, 9480, red, 3},
        {"Line27", 1560, 8160, 10080, 8160, red, 3},
        // Known-side diagram: A (11640, 5160), P1 (11640, 1920), P2 (14040, 1920), B (14040, 5160).
        {"Line1", 11640, 5160, 11640, 1920, black, 2}, {"Line2", 11640, 1920, 14040, 1920, black, 2},
        {"Line3", 14040, 1920, 14040, 5160, black, 2}, {"Line4", 11640, 5160, 14040, 5160, red, 3},
        {"Line5", 14040, 1920, 11640, 5160, black, 2}, {"Line6", 11640, 1920, 14040, 5160, black, 2},
        // Azimuth diagram: A (11640, 9600), P1 (11640, 6480), P2 (14040, 6480), P3 (14040, 9600).
        {"Line7", 11640, 9600, 11640, 6480, black, 2},  {"Line8", 11640, 6480, 14040, 6480, black, 2},
        {"Line9", 14040, 6480, 14040, 9600, black, 2},  {"Line10", 11640, 9600, 14040, 9600, black, 2},
        {"Line11", 14040, 6480, 11640, 9600, black, 2}, {"Line12", 11640, 6480, 14040, 9600, black, 2},
        {"Line13", 11640, 9600, 10440, 7800, red, 3},   {"Line14", 10440, 7800, 10680, 7920, red, 2},
        {"Line15", 10440, 7800, 10440, 8040, red, 2},   {"Line16", 11280, 9000, 11640, 8760, green, 2},
    };
}

std::vector<Placed> expectedButtons() {
    return {
        {"Command1", "计 算", 4440, 9720, 855, 495},
        {"Command2", "结 束", 5520, 9720, 855, 495},
        {"Command3", "打 印", 6600, 9720, 855, 495},
    };
}

class WindowLayout : public ::testing::Test {
protected:
    int x(int twips) const { return qRound(twips * window.logicalDpiX() / 1440.0); }
    int y(int twips) const { return qRound(twips * window.logicalDpiY() / 1440.0); }
    QRect pixels(const Placed& p) const { return QRect(x(p.left), y(p.top), x(p.width), y(p.height)); }

    MainWindow window;
};

TEST_F(WindowLayout, EveryControlStandsInsideTheLayoutArea) {
    const QRect area(QPoint(0, 0), QSize(x(morvalen::app::layoutExtentTwips.width()),
                                         y(morvalen::app::layoutExtentTwips.height())));
    const auto* layoutArea = window.findChild<QWidget*>("LayoutArea");
    ASSERT_NE(layoutArea, nullptr);
    const auto direct = Qt::FindDirectChildrenOnly;
    EXPECT_EQ(layoutArea->findChildren<QLabel*>(direct).size(),
              static_cast<qsizetype>(morvalen::app::labelControls().size()));
    EXPECT_EQ(layoutArea->findChildren<QLineEdit*>(direct).size(),
              static_cast<qsizetype>(morvalen::app::fieldControls().size()));
    for (const QWidget* control : layoutArea->findChildren<QWidget*>(direct)) {
        EXPECT_TRUE(area.contains(control->geometry())) << control->objectName().toStdString();
    }
    for (const auto* label : window.findChildren<QLabel*>()) {
        EXPECT_TRUE(label->font().bold()) << label->objectName().toStdString();
        EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(255, 255, 192));
    }
}

TEST_F(WindowLayout, NoTwoFieldsOverlapAndEveryFieldStartsEmpty) {
    const auto fields = window.findChild<QWidget*>("LayoutArea")->findChildren<QLineEdit*>();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        EXPECT_TRUE(fields[i]->text().isEmpty());
        EXPECT_EQ(fields[i]->font().pointSizeF(), 9);
        for (qsizetype j = i + 1; j < fields.size(); ++j) {
            EXPECT_FALSE(fields[i]->geometry().intersects(fields[j]->geometry()))
                << fields[i]->objectName().toStdString() << " " << fields[j]->objectName().toStdString();
        }
    }
}

TEST_F(WindowLayout, EachCaptionStandsJustLeftOfItsFieldOnItsLine) {
    std::vector<std::pair<QString, QString>> pairs = captionedFields();
    for (const auto* caption : window.findChildren<QLabel*>(QRegularExpression("^Label10_"))) {
        pairs.emplace_back(caption->objectName(), "Text7_" + QString::number(caption->text().mid(2, 1).toInt() - 1));
    }
    EXPECT_EQ(pairs.size(), std::size_t{15 + 15 + 8});
    for (const auto& [captionName, fieldName] : pairs) {
        SCOPED_TRACE((captionName + " " + fieldName).toStdString());
        const auto* caption = window.findChild<QLabel*>(captionName);
        const auto* field = window.findChild<QLineEdit*>(fieldName);
        ASSERT_TRUE(caption && field);
        const QRect captionPlace = caption->geometry(), fieldPlace = field->geometry();
        EXPECT_LE(std::abs(captionPlace.left() + captionPlace.width() - fieldPlace.left()), 2);
        EXPECT_TRUE(captionPlace.top() <= fieldPlace.center().y() && fieldPlace.center().y() <= captionPlace.bottom());
    }
}

TEST_F(WindowLayout, LinesJoinTheirEndPointsInTheirColourAndWidth) {
    const auto lines = expectedLines();
    EXPECT_EQ(window.findChildren<DiagramLine*>().size(), static_cast<qsizetype>(lines.size()));
    for (const auto& expected : lines) {
        SCOPED_TRACE(expected.name.toStdString());
        const auto* line = window.findChild<DiagramLine*>(expected.name);
        ASSERT_NE(line, nullptr);
        const QPoint from(x(expected.x1), y(expected.y1)), to(x(expected.x2), y(expected.y2));
        const QLine ends = line->ends();
        EXPECT_TRUE((ends.p1() == from && ends.p2() == to) || (ends.p1() == to && ends.p2() == from))
            << "ends " << ends.x1() << "," << ends.y1() << " – " << ends.x2() << "," << ends.y2();
        EXPECT_EQ(line->colour(), expected.colour);
        EXPECT_EQ(line->widthPixels(), expected.width);
        EXPECT_TRUE(line->geometry().contains(from) && line->geometry().contains(to));
    }
}

TEST_F(WindowLayout, ButtonsShowTheirCaptionsInTheirOwnColours) {
    const QColor lightGreen(192, 255, 192), grey(192, 192, 192);
    const std::map<QString, QColor> colours = {{"Command1", lightGreen}, {"Command2", lightGreen}, {"Command3", grey}};
    for (const auto& place : expectedButtons()) {
        SCOPED_TRACE(place.name.toStdString());
        auto* button = window.findChild<QPushButton*>(place.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), pixels(place));
        EXPECT_EQ(button->text(), place.caption);
        EXPECT_TRUE(button->font().bold());
        // Left of the centred caption, inside the edge: the face of the button.
        const QImage face = button->grab().toImage();
        EXPECT_EQ(QColor(face.pixel(6, face.height() / 2)), colours.at(place.name));
    }
}

TEST_F(WindowLayout, WindowShowsTheWholeLayoutInLightYellowWithRedFrames) {
    // The layout stands under the menu bar, measured from the top-left corner of the area there; the window is as
    // much higher as the menu bar.
    window.layout()->activate();
    const auto* menuBar = window.findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    const int below = menuBar->height();
    EXPECT_GT(below, 0);
    auto* area = window.findChild<QWidget*>("LayoutArea");
    auto* view = window.findChild<QWidget*>("LayoutView");
    ASSERT_TRUE(area && view);
    // The empty band above the station letter P1 is not shown.
    const int hidden = y(1500);
    EXPECT_EQ(view->geometry().topLeft(), QPoint(0, below));
    EXPECT_EQ(area->geometry().topLeft(), QPoint(0, -hidden));
    EXPECT_EQ(view->height(), area->height() - hidden);
    EXPECT_EQ(window.findChild<QPushButton*>("Command1")->parentWidget(), area);

    EXPECT_EQ(window.windowTitle(), "Morvalen");
    // The whole layout under the menu bar, with a margin of 10 pixels to its right and below it; the observation
    // table to its right and the status line below add to the window.
    EXPECT_EQ(area->size(), QSize(x(14415) + 10, y(10215) + 10));
    EXPECT_GE(window.height(), y(10215) - hidden + below + 10);
    EXPECT_LE(window.width(), 1366);
    EXPECT_TRUE(window.font().bold());
    EXPECT_EQ(window.font().pointSizeF(), 9);

    const QImage shown = area->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(4, 4)), QColor(255, 255, 192));
    // On the top of the upper frame and on the known side A–B, clear of every label.
    EXPECT_EQ(QColor(shown.pixel(x(2000), y(1800))), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(x(12200), y(5160))), QColor(255, 0, 0));
    // On the side A–P1 of the lower diagram.
    EXPECT_EQ(QColor(shown.pixel(x(11640), y(8000))), QColor(0, 0, 0));
}

TEST_F(WindowLayout, FieldsAndCaptionsAreWrittenByControlName) {
    window.setText({"Text13", 2}, " 1202.272");
    window.setText({"Text1"}, " 1000.000");
    window.setCaption({"Label18", 0}, " Ya");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text13_2")->text(), " 1202.272");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->text(), " 1000.000");
    EXPECT_EQ(window.findChild<QLabel*>("Label18_0")->text(), " Ya");
    EXPECT_EQ(window.findChild<QLabel*>("Label18_1")->text(), "Y(1)");

    EXPECT_THROW(window.setText({"Text7", 8}, "x"), std::out_of_range);
    EXPECT_THROW(window.setText({"Text21"}, "x"), std::out_of_range);
    EXPECT_THROW(window.setCaption({"Label99", 0}, "x"), std::out_of_range);
}

}  // namespace
