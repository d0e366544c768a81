#include "app/WindowLayout.h"

#include <QtMath>

#include "app/Translated.h"

namespace morvalen::app {

namespace {

// Height and width shared by the small captions of the arrays, the angle and the side labels.
constexpr int captionWidth = 495;
constexpr int captionHeight = 255;
constexpr int fieldHeight = 285;

// Vertical pitch of the observed-angle rows and of the rows of the coordinate table.
constexpr int rowPitch = 360;

// Stations of the two diagrams of the quadrilateral, clockwise from the upper left corner.
constexpr QPoint knownP1{11640, 1920}, knownP2{14040, 1920}, knownB{14040, 5160}, knownA{11640, 5160};
constexpr QPoint azimuthP1{11640, 6480}, azimuthP2{14040, 6480}, azimuthP3{14040, 9600}, azimuthA{11640, 9600};
// The target T0 of the external azimuth, where the arrow from A ends.
constexpr QPoint targetT0{10440, 7800};

const QColor red{255, 0, 0};
const QColor black{0, 0, 0};
const QColor green{0, 192, 0};

QRect box(int left, int top, int width, int height) { return QRect(left, top, width, height); }

std::vector<LabelControl> buildLabels() {
    std::vector<LabelControl> labels = {
        {form::label(1), spacedTitle(windowCaption), box(3600, 2040, 4215, 375), FontRole::title},

        // Start data panel.
        {form::label(2), translated("( 起算数据 )"), box(1320, 2760, 1215, 255)},
        {form::label(41), translated("(外定向观测数据)"), box(1080, 5040, 1695, 255)},
        {form::label(3), translated(" 已知点 A 纵座标 Xa"), box(720, 3000, 975, 375)},
        {form::label(4), translated(" 已知点 A 横座标 Ya"), box(720, 3480, 975, 375)},
        {form::label(5), translated(" 已知点 B 纵座标 Xb"), box(720, 3960, 975, 375)},
        {form::label(6), translated(" 已知点 B 横座标 Yb"), box(720, 4440, 975, 375)},
        {form::label(33), translated("起算边长   S(1)"), box(840, 5400, 855, 375)},
        {form::label(8), translated("  起算点 A 外方位角Ta"), box(600, 5880, 1095, 375)},
        {form::label(9), translated("   A 点   定向角 Qa"), box(720, 6360, 975, 375)},

        // Observed angles panel; the captions of the angle fields follow below.
        {form::label(12), translated("( 观 测 角 )"), box(3840, 3240, 1335, 255)},

        // Results panel.
        {form::label(7), translated("( 起始数据说明 )"), box(7440, 2880, 1695, 255)},
        {form::label(19), translated("（ 平 差 结 果 ）"), box(7200, 3720, 1815, 255), FontRole::sansLarge},
        {form::label(21), translated("点  名"), box(6120, 4080, 615, 255)},
        {form::label(22), translated("纵 座 标"), box(7800, 4080, 855, 255)},
        {form::label(23), translated("横 座 标"), box(9840, 4080, 855, 255)},

        // Closures strip.
        {form::label(15), translated("(条件方程式闭合差)"), box(4920, 6960, 2055, 255), FontRole::arialMedium},
        {form::label(24), translated("( 第一组条件方程式 )"), box(2880, 7080, 2055, 255)},
        {form::label(29), translated("( 第二组条件方程式 )"), box(7320, 7080, 2055, 255)},
        {form::label(28), " w1", box(1800, 7680, 375, 255), FontRole::sansSmall},
        {form::label(25), translated(" 三角形闭合差 "), box(2160, 7440, 1335, 255)},
        {form::label(34), " w2", box(3600, 7680, 375, 255), FontRole::sansSmall},
        {form::label(26), translated(" 三角形闭合差 "), box(3960, 7440, 1335, 255)},
        {form::label(35), " wa", box(6120, 7680, 375, 255), FontRole::sansSmall},
        {form::label(30), translated(" 二对角闭合差 "), box(6480, 7440, 1335, 255)},
        {form::label(36), " wb", box(7920, 7680, 375, 255), FontRole::sansSmall},
        {form::label(31), translated(" 极条件闭合差"), box(8400, 7440, 1335, 255)},

        // Precision strip.
        {form::label(32), translated("( 精 度 统 计 )"), box(5040, 8400, 1455, 255), FontRole::arialMedium},
        {form::label(37), " mb", box(1800, 9000, 375, 255), FontRole::sansSmall},
        {form::label(11), translated("单位权测角中误差"), box(2040, 8760, 1575, 255)},
        {form::label(38), "1/Plgs", box(3600, 9000, 615, 255), FontRole::sansSmall},
        {form::label(13), translated("最弱边权倒数"), box(4320, 8760, 1215, 255)},
        {form::label(39), " mlogs", box(5640, 9000, 615, 255), FontRole::sansSmall},
        {form::label(14), translated("最弱边对数中误差"), box(6120, 8760, 1575, 255)},
        {form::label(40), "1/m", box(7800, 9000, 375, 255), FontRole::sansSmall},
        {form::label(27), translatedCaption("最弱边相对中误差"), box(8040, 8760, 1575, 255)},

        // Diagram of the known-side case: station letters, the known coordinates, angle and side numbers.
        {form::label(44), "P1", box(11520, 1560, 375, 255), FontRole::sansLarge},
        {form::label(45), "P2", box(13800, 1560, 375, 255), FontRole::sansLarge},
        {form::label(42), "A", box(11280, 5040, 255, 255), FontRole::sansLarge},
        {form::label(43), "B", box(14160, 5040, 255, 255), FontRole::sansLarge},
        {form::label(60), "[ Xa,Ya ]", box(11400, 5280, 855, 255), FontRole::sansSmall},
        {form::label(61), "[ Xb,Yb ]", box(13440, 5280, 855, 255), FontRole::sansSmall},
        {form::label(50), "b(1)", box(11760, 4320, captionWidth, captionHeight)},
        {form::label(51), "b(2)", box(11760, 2640, captionWidth, captionHeight)},
        {form::label(52), "b(3)", box(12000, 2040, captionWidth, captionHeight)},
        {form::label(53), "b(4)", box(13320, 2040, captionWidth, captionHeight)},
        {form::label(54), "b(5)", box(13560, 2640, captionWidth, captionHeight)},
        {form::label(55), "b(6)", box(13560, 4320, captionWidth, captionHeight)},
        {form::label(56), "b(7)", box(13320, 4800, captionWidth, captionHeight)},
        {form::label(57), "b(8)", box(12000, 4800, captionWidth, captionHeight)},
        {form::label(63), "S(1)", box(11400, 3480, captionWidth, captionHeight)},
        {form::label(64), "S(2)", box(12600, 1800, captionWidth, captionHeight)},
        {form::label(65), "S(3)", box(13800, 3480, captionWidth, captionHeight)},
        {form::label(66), "S(4)", box(12600, 5040, captionWidth, captionHeight)},
        {form::label(67), "S(5)", box(12120, 2880, captionWidth, captionHeight)},
        {form::label(68), "S(6)", box(12960, 2880, captionWidth, captionHeight)},

        // Diagram of the azimuth case: station letters and the orientation data at A.
        {form::label(47), "P1", box(11520, 6120, 375, 255), FontRole::sansLarge},
        {form::label(48), "P2", box(13800, 6120, 375, 255), FontRole::sansLarge},
        {form::label(46), "A", box(11520, 9720, 255, 255), FontRole::sansLarge},
        {form::label(49), "P3", box(13920, 9720, 375, 255), FontRole::sansLarge},
        {form::label(62), "[ Xa,Ya ]", box(11760, 9720, 855, 255), FontRole::sansSmall},
        {form::label(58), "T0", box(10320, 7560, 255, 255), FontRole::sansMedium},
        {form::label(59), "Qa", box(11160, 8520, 375, 255), FontRole::sansMedium},
    };

    // Captions of the observed angles. The elements 6 and 7 stand in swapped places: element 7 carries "B(7)" beside
    // the field of b(7), element 6 carries "B(8)" beside the field of b(8).
    struct AngleCaption {
        int element;
        int angle;
    };
    constexpr AngleCaption angleCaptions[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {7, 7}, {6, 8}};
    for (const auto& [element, angle] : angleCaptions) {
        labels.push_back({form::angleCaption(element), QString("B(%1)").arg(angle),
                          box(3360, 3480 + rowPitch * (angle - 1), captionWidth, captionHeight), FontRole::sansSmall});
    }

    // Captions of the rows of the coordinate table: station name, X (northing) and Y (easting) of station r.
    for (int r = 0; r <= 4; ++r) {
        const int top = 4320 + rowPitch * r;
        labels.push_back({form::nameCaption(r), QString("N(%1)").arg(r), box(5520, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
        labels.push_back({form::xCaption(r), QString("X(%1)").arg(r), box(6960, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
        labels.push_back({form::yCaption(r), QString::fromStdString(form::initialYCaption(r)), box(9000, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
    }
    return labels;
}

std::vector<FieldControl> buildFields() {
    std::vector<FieldControl> fields = {
        // Start data: coordinates of A and B, the start side, the external azimuth Ta and the orientation angle Qa.
        {form::xa, box(1680, 3090, 1455, fieldHeight)},
        {form::ya, box(1680, 3570, 1455, fieldHeight)},
        {form::xb, box(1680, 4050, 1455, fieldHeight)},
        {form::yb, box(1680, 4530, 1455, fieldHeight)},
        {form::startSideLength, box(1680, 5490, 1455, fieldHeight)},
        {form::externalAzimuth, box(1680, 5970, 1455, fieldHeight)},
        {form::orientationAngle, box(1680, 6450, 1455, fieldHeight)},
        // How the computation starts.
        {form::startNote, box(6480, 3120, 3495, fieldHeight)},
        // Closures w(1)..w(4).
        {form::w1, box(2160, 7680, 1335, fieldHeight)},
        {form::w2, box(3960, 7680, 1335, fieldHeight)},
        {form::w3, box(6480, 7680, 1335, fieldHeight)},
        {form::w4, box(8280, 7680, 1575, fieldHeight)},
        // Precision: mb, 1/Plgs, mlgs, 1/m.
        {form::mb, box(2160, 9000, 1335, fieldHeight)},
        {form::reciprocalWeight, box(4200, 9000, 1335, fieldHeight)},
        {form::mlgs, box(6240, 9000, 1335, fieldHeight)},
        {form::relativeError, box(8160, 9000, 1335, fieldHeight)},
    };
    for (int k = 0; k < form::angleCount; ++k) fields.push_back({form::observedAngle(k), box(3840, 3450 + rowPitch * k, 1335, fieldHeight)});
    for (int r = 0; r <= 4; ++r) {
        const int top = 4290 + rowPitch * r;
        fields.push_back({form::stationName(r), box(6000, top, 855, fieldHeight)});
        fields.push_back({form::stationX(r), box(7440, top, 1455, fieldHeight)});
        fields.push_back({form::stationY(r), box(9480, top, 1455, fieldHeight)});
    }
    return fields;
}

std::vector<LineControl> buildLines() {
    return {
        // Diagram of the known-side case; the known side A–B in red.
        {"Line1", QLine(knownA, knownP1), black, 2},
        {"Line2", QLine(knownP1, knownP2), black, 2},
        {"Line3", QLine(knownP2, knownB), black, 2},
        {"Line4", QLine(knownA, knownB), red, 3},
        {"Line5", QLine(knownP2, knownA), black, 2},
        {"Line6", QLine(knownP1, knownB), black, 2},

        // Diagram of the azimuth case.
        {"Line7", QLine(azimuthA, azimuthP1), black, 2},
        {"Line8", QLine(azimuthP1, azimuthP2), black, 2},
        {"Line9", QLine(azimuthP2, azimuthP3), black, 2},
        {"Line10", QLine(azimuthA, azimuthP3), black, 2},
        {"Line11", QLine(azimuthP2, azimuthA), black, 2},
        {"Line12", QLine(azimuthP1, azimuthP3), black, 2},
        // The outward direction from A to the target T0 with its arrowhead, and the orientation angle Qa between
        // the direction A–T0 and the side A–P1.
        {"Line13", QLine(azimuthA, targetT0), red, 3},
        {"Line14", QLine(targetT0, QPoint(10680, 7920)), red, 2},
        {"Line15", QLine(targetT0, QPoint(10440, 8040)), red, 2},
        {"Line16", QLine(11280, 9000, 11640, 8760), green, 2},

        // Red frames of the left part: the upper frame with its title strip and two dividers, the lower frame of
        // the closures and the precision.
        {"Line17", QLine(480, 1800, 11040, 1800), red, 3},
        {"Line18", QLine(3240, 2520, 3240, 6840), red, 3},
        {"Line19", QLine(480, 2520, 11040, 2520), red, 3},
        {"Line20", QLine(480, 6840, 11040, 6840), red, 3},
        {"Line21", QLine(480, 1800, 480, 6840), red, 3},
        {"Line22", QLine(11040, 1800, 11040, 6840), red, 3},
        {"Line23", QLine(1560, 6840, 1560, 9480), red, 3},
        {"Line24", QLine(1560, 9480, 10080, 9480), red, 3},
        {"Line25", QLine(10080, 6840, 10080, 9480), red, 3},
        {"Line26", QLine(5280, 2520, 5280, 6840), red, 3},
        {"Line27", QLine(1560, 8160, 10080, 8160), red, 3},
    };
}

std::vector<ButtonControl> buildButtons() {
    const QColor lightGreen{192, 255, 192};
    const QColor grey{192, 192, 192};
    return {
        {"Command1", translated("计 算"), box(4440, 9720, 855, 495), lightGreen},
        {"Command2", translated("结 束"), box(5520, 9720, 855, 495), lightGreen},
        {"Command3", translated("打 印"), box(6600, 9720, 855, 495), grey},
    };
}

}  // namespace

QString controlObjectName(const Control& control) {
    const QString name = QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size()));
    return control.index < 0 ? name : QString("%1_%2").arg(name).arg(control.index);
}

QString spacedTitle(const QString& caption) {
    QString spaced;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (i > 0) spaced += QLatin1Char(' ');
        spaced += caption.at(i);
    }
    return spaced;
}

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
