#include "form/WindowFace.h"

#include "i18n/Language.h"

namespace morvalen::form {

namespace {

// Height and width shared by the small captions of the arrays, the angle and the side labels.
constexpr int captionWidth = 495;
constexpr int captionHeight = 255;
constexpr int fieldHeight = 285;

// Vertical pitch of the observed-angle rows and of the rows of the coordinate table.
constexpr int rowPitch = 360;

struct Point {
    int x, y;  // twips
};

// Stations of the two diagrams of the quadrilateral, clockwise from the upper left corner.
constexpr Point knownP1{11640, 1920}, knownP2{14040, 1920}, knownB{14040, 5160}, knownA{11640, 5160};
constexpr Point azimuthP1{11640, 6480}, azimuthP2{14040, 6480}, azimuthP3{14040, 9600}, azimuthA{11640, 9600};
// The target T0 of the external azimuth, where the arrow from A ends.
constexpr Point targetT0{10440, 7800};

constexpr Colour red{255, 0, 0};
constexpr Colour black{0, 0, 0};
constexpr Colour green{0, 192, 0};

constexpr Box box(int left, int top, int width, int height) { return {left, top, width, height}; }
constexpr Segment segment(Point from, Point to) { return {from.x, from.y, to.x, to.y}; }
constexpr Segment segment(int x1, int y1, int x2, int y2) { return {x1, y1, x2, y2}; }

std::vector<FaceLabel> buildLabels() {
    std::vector<FaceLabel> labels = {
        {label(1), spacedTitle(windowCaption), TextKind::plain, box(3600, 2040, 4215, 375), FontRole::title},

        // Start data panel.
        {label(2), i18n::catalogued("( 起算数据 )"), TextKind::translated, box(1320, 2760, 1215, 255)},
        {label(41), i18n::catalogued("(外定向观测数据)"), TextKind::translated, box(1080, 5040, 1695, 255)},
        {label(3), i18n::catalogued(" 已知点 A 纵座标 Xa"), TextKind::translated, box(720, 3000, 975, 375)},
        {label(4), i18n::catalogued(" 已知点 A 横座标 Ya"), TextKind::translated, box(720, 3480, 975, 375)},
        {label(5), i18n::catalogued(" 已知点 B 纵座标 Xb"), TextKind::translated, box(720, 3960, 975, 375)},
        {label(6), i18n::catalogued(" 已知点 B 横座标 Yb"), TextKind::translated, box(720, 4440, 975, 375)},
        {label(33), i18n::catalogued("起算边长   S(1)"), TextKind::translated, box(840, 5400, 855, 375)},
        {label(8), i18n::catalogued("  起算点 A 外方位角Ta"), TextKind::translated, box(600, 5880, 1095, 375)},
        {label(9), i18n::catalogued("   A 点   定向角 Qa"), TextKind::translated, box(720, 6360, 975, 375)},

        // Observed angles panel; the captions of the angle fields follow below.
        {label(12), i18n::catalogued("( 观 测 角 )"), TextKind::translated, box(3840, 3240, 1335, 255)},

        // Results panel.
        {label(7), i18n::catalogued("( 起始数据说明 )"), TextKind::translated, box(7440, 2880, 1695, 255)},
        {label(19), i18n::catalogued("（ 平 差 结 果 ）"), TextKind::translated, box(7200, 3720, 1815, 255), FontRole::sansLarge},
        {label(21), i18n::catalogued("点  名"), TextKind::translated, box(6120, 4080, 615, 255)},
        {label(22), i18n::catalogued("纵 座 标"), TextKind::translated, box(7800, 4080, 855, 255)},
        {label(23), i18n::catalogued("横 座 标"), TextKind::translated, box(9840, 4080, 855, 255)},

        // Closures strip.
        {label(15), i18n::catalogued("(条件方程式闭合差)"), TextKind::translated, box(4920, 6960, 2055, 255), FontRole::arialMedium},
        {label(24), i18n::catalogued("( 第一组条件方程式 )"), TextKind::translated, box(2880, 7080, 2055, 255)},
        {label(29), i18n::catalogued("( 第二组条件方程式 )"), TextKind::translated, box(7320, 7080, 2055, 255)},
        {label(28), " w1", TextKind::plain, box(1800, 7680, 375, 255), FontRole::sansSmall},
        {label(25), i18n::catalogued(" 三角形闭合差 "), TextKind::translated, box(2160, 7440, 1335, 255)},
        {label(34), " w2", TextKind::plain, box(3600, 7680, 375, 255), FontRole::sansSmall},
        {label(26), i18n::catalogued(" 三角形闭合差 "), TextKind::translated, box(3960, 7440, 1335, 255)},
        {label(35), " wa", TextKind::plain, box(6120, 7680, 375, 255), FontRole::sansSmall},
        {label(30), i18n::catalogued(" 二对角闭合差 "), TextKind::translated, box(6480, 7440, 1335, 255)},
        {label(36), " wb", TextKind::plain, box(7920, 7680, 375, 255), FontRole::sansSmall},
        {label(31), i18n::catalogued(" 极条件闭合差"), TextKind::translated, box(8400, 7440, 1335, 255)},

        // Precision strip.
        {label(32), i18n::catalogued("( 精 度 统 计 )"), TextKind::translated, box(5040, 8400, 1455, 255), FontRole::arialMedium},
        {label(37), " mb", TextKind::plain, box(1800, 9000, 375, 255), FontRole::sansSmall},
        {label(11), i18n::catalogued("单位权测角中误差"), TextKind::translated, box(2040, 8760, 1575, 255)},
        {label(38), "1/Plgs", TextKind::plain, box(3600, 9000, 615, 255), FontRole::sansSmall},
        {label(13), i18n::catalogued("最弱边权倒数"), TextKind::translated, box(4320, 8760, 1215, 255)},
        {label(39), " mlogs", TextKind::plain, box(5640, 9000, 615, 255), FontRole::sansSmall},
        {label(14), i18n::catalogued("最弱边对数中误差"), TextKind::translated, box(6120, 8760, 1575, 255)},
        {label(40), "1/m", TextKind::plain, box(7800, 9000, 375, 255), FontRole::sansSmall},
        {label(27), i18n::catalogued("最弱边相对中误差"), TextKind::caption, box(8040, 8760, 1575, 255)},

        // Diagram of the known-side case: station letters, the known coordinates, angle and side numbers.
        {label(44), "P1", TextKind::plain, box(11520, 1560, 375, 255), FontRole::sansLarge},
        {label(45), "P2", TextKind::plain, box(13800, 1560, 375, 255), FontRole::sansLarge},
        {label(42), "A", TextKind::plain, box(11280, 5040, 255, 255), FontRole::sansLarge},
        {label(43), "B", TextKind::plain, box(14160, 5040, 255, 255), FontRole::sansLarge},
        {label(60), "[ Xa,Ya ]", TextKind::plain, box(11400, 5280, 855, 255), FontRole::sansSmall},
        {label(61), "[ Xb,Yb ]", TextKind::plain, box(13440, 5280, 855, 255), FontRole::sansSmall},
        {label(50), "b(1)", TextKind::plain, box(11760, 4320, captionWidth, captionHeight)},
        {label(51), "b(2)", TextKind::plain, box(11760, 2640, captionWidth, captionHeight)},
        {label(52), "b(3)", TextKind::plain, box(12000, 2040, captionWidth, captionHeight)},
        {label(53), "b(4)", TextKind::plain, box(13320, 2040, captionWidth, captionHeight)},
        {label(54), "b(5)", TextKind::plain, box(13560, 2640, captionWidth, captionHeight)},
        {label(55), "b(6)", TextKind::plain, box(13560, 4320, captionWidth, captionHeight)},
        {label(56), "b(7)", TextKind::plain, box(13320, 4800, captionWidth, captionHeight)},
        {label(57), "b(8)", TextKind::plain, box(12000, 4800, captionWidth, captionHeight)},
        {label(63), "S(1)", TextKind::plain, box(11400, 3480, captionWidth, captionHeight)},
        {label(64), "S(2)", TextKind::plain, box(12600, 1800, captionWidth, captionHeight)},
        {label(65), "S(3)", TextKind::plain, box(13800, 3480, captionWidth, captionHeight)},
        {label(66), "S(4)", TextKind::plain, box(12600, 5040, captionWidth, captionHeight)},
        {label(67), "S(5)", TextKind::plain, box(12120, 2880, captionWidth, captionHeight)},
        {label(68), "S(6)", TextKind::plain, box(12960, 2880, captionWidth, captionHeight)},

        // Diagram of the azimuth case: station letters and the orientation data at A.
        {label(47), "P1", TextKind::plain, box(11520, 6120, 375, 255), FontRole::sansLarge},
        {label(48), "P2", TextKind::plain, box(13800, 6120, 375, 255), FontRole::sansLarge},
        {label(46), "A", TextKind::plain, box(11520, 9720, 255, 255), FontRole::sansLarge},
        {label(49), "P3", TextKind::plain, box(13920, 9720, 375, 255), FontRole::sansLarge},
        {label(62), "[ Xa,Ya ]", TextKind::plain, box(11760, 9720, 855, 255), FontRole::sansSmall},
        {label(58), "T0", TextKind::plain, box(10320, 7560, 255, 255), FontRole::sansMedium},
        {label(59), "Qa", TextKind::plain, box(11160, 8520, 375, 255), FontRole::sansMedium},
    };

    // Captions of the observed angles. The elements 6 and 7 stand in swapped places: element 7 carries "B(7)" beside
    // the field of b(7), element 6 carries "B(8)" beside the field of b(8).
    struct AngleCaption {
        int element;
        int angle;
    };
    constexpr AngleCaption angleCaptions[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {7, 7}, {6, 8}};
    for (const auto& [element, angle] : angleCaptions) {
        labels.push_back({angleCaption(element), "B(" + std::to_string(angle) + ")", TextKind::plain,
                          box(3360, 3480 + rowPitch * (angle - 1), captionWidth, captionHeight), FontRole::sansSmall});
    }

    // Captions of the rows of the coordinate table: station name, X (northing) and Y (easting) of station r.
    for (int r = 0; r <= 4; ++r) {
        const int top = 4320 + rowPitch * r;
        labels.push_back({nameCaption(r), "N(" + std::to_string(r) + ")", TextKind::plain, box(5520, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
        labels.push_back({xCaption(r), "X(" + std::to_string(r) + ")", TextKind::plain, box(6960, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
        labels.push_back({yCaption(r), initialYCaption(r), TextKind::plain, box(9000, top, captionWidth, captionHeight),
                          FontRole::sansSmall});
    }
    return labels;
}

std::vector<FaceField> buildFields() {
    std::vector<FaceField> fields = {
        // Start data: coordinates of A and B, the start side, the external azimuth Ta and the orientation angle Qa.
        {xa, box(1680, 3090, 1455, fieldHeight)},
        {ya, box(1680, 3570, 1455, fieldHeight)},
        {xb, box(1680, 4050, 1455, fieldHeight)},
        {yb, box(1680, 4530, 1455, fieldHeight)},
        {startSideLength, box(1680, 5490, 1455, fieldHeight)},
        {externalAzimuth, box(1680, 5970, 1455, fieldHeight)},
        {orientationAngle, box(1680, 6450, 1455, fieldHeight)},
        // How the computation starts.
        {startNote, box(6480, 3120, 3495, fieldHeight)},
        // Closures w(1)..w(4).
        {w1, box(2160, 7680, 1335, fieldHeight)},
        {w2, box(3960, 7680, 1335, fieldHeight)},
        {w3, box(6480, 7680, 1335, fieldHeight)},
        {w4, box(8280, 7680, 1575, fieldHeight)},
        // Precision: mb, 1/Plgs, mlgs, 1/m.
        {mb, box(2160, 9000, 1335, fieldHeight)},
        {reciprocalWeight, box(4200, 9000, 1335, fieldHeight)},
        {mlgs, box(6240, 9000, 1335, fieldHeight)},
        {relativeError, box(8160, 9000, 1335, fieldHeight)},
    };
    for (int k = 0; k < angleCount; ++k) fields.push_back({observedAngle(k), box(3840, 3450 + rowPitch * k, 1335, fieldHeight)});
    for (int r = 0; r <= 4; ++r) {
        const int top = 4290 + rowPitch * r;
        fields.push_back({stationName(r), box(6000, top, 855, fieldHeight)});
        fields.push_back({stationX(r), box(7440, top, 1455, fieldHeight)});
        fields.push_back({stationY(r), box(9480, top, 1455, fieldHeight)});
    }
    return fields;
}

std::vector<FaceLine> buildLines() {
    return {
        // Diagram of the known-side case; the known side A–B in red.
        {line(1), segment(knownA, knownP1), black, 2},
        {line(2), segment(knownP1, knownP2), black, 2},
        {line(3), segment(knownP2, knownB), black, 2},
        {line(4), segment(knownA, knownB), red, 3},
        {line(5), segment(knownP2, knownA), black, 2},
        {line(6), segment(knownP1, knownB), black, 2},

        // Diagram of the azimuth case.
        {line(7), segment(azimuthA, azimuthP1), black, 2},
        {line(8), segment(azimuthP1, azimuthP2), black, 2},
        {line(9), segment(azimuthP2, azimuthP3), black, 2},
        {line(10), segment(azimuthA, azimuthP3), black, 2},
        {line(11), segment(azimuthP2, azimuthA), black, 2},
        {line(12), segment(azimuthP1, azimuthP3), black, 2},
        // The outward direction from A to the target T0 with its arrowhead, and the orientation angle Qa between
        // the direction A–T0 and the side A–P1.
        {line(13), segment(azimuthA, targetT0), red, 3},
        {line(14), segment(targetT0, Point{10680, 7920}), red, 2},
        {line(15), segment(targetT0, Point{10440, 8040}), red, 2},
        {line(16), segment(11280, 9000, 11640, 8760), green, 2},

        // Red frames of the left part: the upper frame with its title strip and two dividers, the lower frame of
        // the closures and the precision.
        {line(17), segment(480, 1800, 11040, 1800), red, 3},
        {line(18), segment(3240, 2520, 3240, 6840), red, 3},
        {line(19), segment(480, 2520, 11040, 2520), red, 3},
        {line(20), segment(480, 6840, 11040, 6840), red, 3},
        {line(21), segment(480, 1800, 480, 6840), red, 3},
        {line(22), segment(11040, 1800, 11040, 6840), red, 3},
        {line(23), segment(1560, 6840, 1560, 9480), red, 3},
        {line(24), segment(1560, 9480, 10080, 9480), red, 3},
        {line(25), segment(10080, 6840, 10080, 9480), red, 3},
        {line(26), segment(5280, 2520, 5280, 6840), red, 3},
        {line(27), segment(1560, 8160, 10080, 8160), red, 3},
    };
}

std::vector<FaceButton> buildButtons() {
    constexpr Colour lightGreen{192, 255, 192};
    constexpr Colour grey{192, 192, 192};
    return {
        {computeButton, i18n::catalogued("计 算"), box(4440, 9720, 855, 495), lightGreen},
        {exitButton, i18n::catalogued("结 束"), box(5520, 9720, 855, 495), lightGreen},
        {printButton, i18n::catalogued("打 印"), box(6600, 9720, 855, 495), grey},
    };
}

}  // namespace

const std::vector<FaceLabel>& faceLabels() {
    static const std::vector<FaceLabel> labels = buildLabels();
    return labels;
}

const std::vector<FaceField>& faceFields() {
    static const std::vector<FaceField> fields = buildFields();
    return fields;
}

const std::vector<FaceLine>& faceLines() {
    static const std::vector<FaceLine> lines = buildLines();
    return lines;
}

const std::vector<FaceButton>& faceButtons() {
    static const std::vector<FaceButton> buttons = buildButtons();
    return buttons;
}

std::string spacedTitle(std::string_view caption) {
    std::string spaced;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // A blank before the first byte of every character but the first; continuation bytes are 10xxxxxx.
        const bool continuation = (static_cast<unsigned char>(caption[i]) & 0xC0) == 0x80;
        if (i > 0 && !continuation) spaced += ' ';
        spaced += caption[i];
    }
    return spaced;
}

}  // namespace morvalen::form
