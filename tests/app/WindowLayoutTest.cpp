// The window as drawn: every control at its place in twips, its caption, face and colour.
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "QtTestEnvironment.h"
#include "app/DiagramLine.h"
#include "app/MainWindow.h"

namespace {

using morvalen::app::DiagramLine;
using morvalen::app::MainWindow;

// Each control as the layout of the window gives it: object name, caption, left, top, width, height in twips.
struct Placed {
    QString name;
    QString caption;
    int left, top, width, height;
};

struct Face {
    double points;
    bool song;  // 宋体 rather than one of the sans faces
};

constexpr Face windowFace{9, true};
constexpr Face titleFace{15, true};
constexpr Face sans12{12, false};
constexpr Face sans975{9.75, false};
constexpr Face sans825{8.25, false};
constexpr Face arial105{10.5, false};

struct PlacedLabel {
    Placed place;
    Face face;
};

std::vector<PlacedLabel> expectedLabels() {
    std::vector<PlacedLabel> labels = {
        {{"Label1", "M o r v a l e n", 3600, 2040, 4215, 375}, titleFace},
        {{"Label2", "( 起算数据 )", 1320, 2760, 1215, 255}, windowFace},
        {{"Label41", "(外定向观测数据)", 1080, 5040, 1695, 255}, windowFace},
        {{"Label3", " 已知点 A 纵座标 Xa", 720, 3000, 975, 375}, windowFace},
        {{"Label4", " 已知点 A 横座标 Ya", 720, 3480, 975, 375}, windowFace},
        {{"Label5", " 已知点 B 纵座标 Xb", 720, 3960, 975, 375}, windowFace},
        {{"Label6", " 已知点 B 横座标 Yb", 720, 4440, 975, 375}, windowFace},
        {{"Label33", "起算边长   S(1)", 840, 5400, 855, 375}, windowFace},
        {{"Label8", "  起算点 A 外方位角Ta", 600, 5880, 1095, 375}, windowFace},
        {{"Label9", "   A 点   定向角 Qa", 720, 6360, 975, 375}, windowFace},
        {{"Label12", "( 观 测 角 )", 3840, 3240, 1335, 255}, windowFace},
        {{"Label7", "( 起始数据说明 )", 7440, 2880, 1695, 255}, windowFace},
        {{"Label19", "（ 平 差 结 果 ）", 7200, 3720, 1815, 255}, sans12},
        {{"Label21", "点  名", 6120, 4080, 615, 255}, windowFace},
        {{"Label22", "纵 座 标", 7800, 4080, 855, 255}, windowFace},
        {{"Label23", "横 座 标", 9840, 4080, 855, 255}, windowFace},
        {{"Label15", "(条件方程式闭合差)", 4920, 6960, 2055, 255}, arial105},
        {{"Label24", "( 第一组条件方程式 )", 2880, 7080, 2055, 255}, windowFace},
        {{"Label29", "( 第二组条件方程式 )", 7320, 7080, 2055, 255}, windowFace},
        {{"Label28", " w1", 1800, 7680, 375, 255}, sans825},
        {{"Label25", " 三角形闭合差 ", 2160, 7440, 1335, 255}, windowFace},
        {{"Label34", " w2", 3600, 7680, 375, 255}, sans825},
        {{"Label26", " 三角形闭合差 ", 3960, 7440, 1335, 255}, windowFace},
        {{"Label35", " wa", 6120, 7680, 375, 255}, sans825},
        {{"Label30", " 二对角闭合差 ", 6480, 7440, 1335, 255}, windowFace},
        {{"Label36", " wb", 7920, 7680, 375, 255}, sans825},
        {{"Label31", " 极条件闭合差", 8400, 7440, 1335, 255}, windowFace},
        {{"Label32", "( 精 度 统 计 )", 5040, 8400, 1455, 255}, arial105},
        {{"Label37", " mb", 1800, 9000, 375, 255}, sans825},
        {{"Label11", "单位权测角中误差", 2040, 8760, 1575, 255}, windowFace},
        {{"Label38", "1/Plgs", 3600, 9000, 615, 255}, sans825},
        {{"Label13", "最弱边权倒数", 4320, 8760, 1215, 255}, windowFace},
        {{"Label39", " mlogs", 5640, 9000, 615, 255}, sans825},
        {{"Label14", "最弱边对数中误差", 6120, 8760, 1575, 255}, windowFace},
        {{"Label40", "1/m", 7800, 9000, 375, 255}, sans825},
        {{"Label27", "最弱边相对中误差", 8040, 8760, 1575, 255}, windowFace},
        {{"Label44", "P1", 11520, 1560, 375, 255}, sans12},
        {{"Label45", "P2", 13800, 1560, 375, 255}, sans12},
        {{"Label42", "A", 11280, 5040, 255, 255}, sans12},
        {{"Label43", "B", 14160, 5040, 255, 255}, sans12},
        {{"Label60", "[ Xa,Ya ]", 11400, 5280, 855, 255}, sans825},
        {{"Label61", "[ Xb,Yb ]", 13440, 5280, 855, 255}, sans825},
        {{"Label50", "b(1)", 11760, 4320, 495, 255}, windowFace},
        {{"Label51", "b(2)", 11760, 2640, 495, 255}, windowFace},
        {{"Label52", "b(3)", 12000, 2040, 495, 255}, windowFace},
        {{"Label53", "b(4)", 13320, 2040, 495, 255}, windowFace},
        {{"Label54", "b(5)", 13560, 2640, 495, 255}, windowFace},
        {{"Label55", "b(6)", 13560, 4320, 495, 255}, windowFace},
        {{"Label56", "b(7)", 13320, 4800, 495, 255}, windowFace},
        {{"Label57", "b(8)", 12000, 4800, 495, 255}, windowFace},
        {{"Label63", "S(1)", 11400, 3480, 495, 255}, windowFace},
        {{"Label64", "S(2)", 12600, 1800, 495, 255}, windowFace},
        {{"Label65", "S(3)", 13800, 3480, 495, 255}, windowFace},
        {{"Label66", "S(4)", 12600, 5040, 495, 255}, windowFace},
        {{"Label67", "S(5)", 12120, 2880, 495, 255}, windowFace},
        {{"Label68", "S(6)", 12960, 2880, 495, 255}, windowFace},
        {{"Label47", "P1", 11520, 6120, 375, 255}, sans12},
        {{"Label48", "P2", 13800, 6120, 375, 255}, sans12},
        {{"Label46", "A", 11520, 9720, 255, 255}, sans12},
        {{"Label49", "P3", 13920, 9720, 375, 255}, sans12},
        {{"Label62", "[ Xa,Ya ]", 11760, 9720, 855, 255}, sans825},
        {{"Label58", "T0", 10320, 7560, 255, 255}, sans975},
        {{"Label59", "Qa", 11160, 8520, 375, 255}, sans975},
        // Captions of the observed angles, element by element; 6 and 7 stand swapped.
        {{"Label10_0", "B(1)", 3360, 3480, 495, 255}, sans825},
        {{"Label10_1", "B(2)", 3360, 3840, 495, 255}, sans825},
        {{"Label10_2", "B(3)", 3360, 4200, 495, 255}, sans825},
        {{"Label10_3", "B(4)", 3360, 4560, 495, 255}, sans825},
        {{"Label10_4", "B(5)", 3360, 4920, 495, 255}, sans825},
        {{"Label10_5", "B(6)", 3360, 5280, 495, 255}, sans825},
        {{"Label10_7", "B(7)", 3360, 5640, 495, 255}, sans825},
        {{"Label10_6", "B(8)", 3360, 6000, 495, 255}, sans825},
    };
    for (int r = 0; r <= 4; ++r) {
        const int top = 4320 + 360 * r;
        const QString n = QString::number(r);
        labels.push_back({{"Label16_" + n, "N(" + n + ")", 5520, top, 495, 255}, sans825});
        labels.push_back({{"Label17_" + n, "X(" + n + ")", 6960, top, 495, 255}, sans825});
        labels.push_back({{"Label18_" + n, "Y(" + n + ")", 9000, top, 495, 255}, sans825});
    }
    return labels;
}

std::vector<Placed> expectedFields() {
    std::vector<Placed> fields = {
        {"Text1", "", 1680, 3090, 1455, 285},  {"Text2", "", 1680, 3570, 1455, 285},
        {"Text3", "", 1680, 4050, 1455, 285},  {"Text4", "", 1680, 4530, 1455, 285},
        {"Text19", "", 1680, 5490, 1455, 285}, {"Text5", "", 1680, 5970, 1455, 285},
        {"Text6", "", 1680, 6450, 1455, 285},  {"Text20", "", 6480, 3120, 3495, 285},
        {"Text15", "", 2160, 7680, 1335, 285}, {"Text16", "", 3960, 7680, 1335, 285},
        {"Text17", "", 6480, 7680, 1335, 285}, {"Text18", "", 8280, 7680, 1575, 285},
        {"Text8", "", 2160, 9000, 1335, 285},  {"Text9", "", 4200, 9000, 1335, 285},
        {"Text10", "", 6240, 9000, 1335, 285}, {"Text11", "", 8160, 9000, 1335, 285},
    };
    for (int k = 0; k <= 7; ++k) fields.push_back({"Text7_" + QString::number(k), "", 3840, 3450 + 360 * k, 1335, 285});
    for (int r = 0; r <= 4; ++r) {
        const int top = 4290 + 360 * r;
        fields.push_back({"Text12_" + QString::number(r), "", 6000, top, 855, 285});
        fields.push_back({"Text13_" + QString::number(r), "", 7440, top, 1455, 285});
        fields.push_back({"Text14_" + QString::number(r), "", 9480, top, 1455, 285});
    }
    return fields;
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

TEST_F(WindowLayout, EveryLabelStandsAtItsPlaceWithItsCaptionAndFace) {
    const auto labels = expectedLabels();
    EXPECT_EQ(window.findChildren<QLabel*>().size(), static_cast<qsizetype>(labels.size()));
    for (const auto& [place, face] : labels) {
        SCOPED_TRACE(place.name.toStdString());
        const auto* label = window.findChild<QLabel*>(place.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), pixels(place));
        EXPECT_EQ(label->text(), place.caption);
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), face.points);
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->font().families().contains("AR PL UMing CN"), face.song);
        EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(255, 255, 192));
    }
}

TEST_F(WindowLayout, EveryFieldStandsAtItsPlaceAndStartsEmpty) {
    const auto fields = expectedFields();
    EXPECT_EQ(window.findChildren<QLineEdit*>().size(), static_cast<qsizetype>(fields.size()));
    for (const auto& place : fields) {
        SCOPED_TRACE(place.name.toStdString());
        const auto* field = window.findChild<QLineEdit*>(place.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->geometry(), pixels(place));
        EXPECT_TRUE(field->text().isEmpty());
        EXPECT_EQ(field->font().pointSizeF(), 9);
        EXPECT_TRUE(field->font().bold());
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
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry().topLeft(), QPoint(0, below));
    EXPECT_EQ(window.findChild<QPushButton*>("Command1")->parentWidget(), area);

    EXPECT_EQ(window.windowTitle(), "Morvalen");
    // The whole layout under the menu bar, with a margin of 10 pixels to its right and below it.
    EXPECT_EQ(window.size(), QSize(x(14415) + 10, y(10215) + below + 10));
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
