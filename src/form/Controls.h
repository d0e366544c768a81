// The controls of the main window, declared once.
//
// The window's text fields are Text1…Text20; Text7(k) holds b(k+1), and Text12(r), Text13(r), Text14(r) are the
// name, northing X and easting Y of row r of the coordinate table, captioned N(r), X(r) and Label18(r) = Y(r). Every
// other module names a control through these declarations, never by spelling its name.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace morvalen {

// n of a control named Textn with n in 1..20, the fields of the window; 0 for any other name.
constexpr int textFieldNumber(std::string_view name) {
    const auto digit = [&](std::size_t i) { return static_cast<unsigned>(name[i]) - unsigned{'0'}; };
    int number = 0;
    if ((name.size() == 5 || name.size() == 6) && name.starts_with("Text") && digit(4) <= 9) {
        number = static_cast<int>(digit(4));
        if (name.size() == 6) number = digit(5) <= 9 ? number * 10 + static_cast<int>(digit(5)) : 0;
    }
    return number <= 20 ? number : 0;
}

// A control of the window by name, with its index for the control arrays (Text7, Text12, Text13, Text14, Label18);
// `index` is -1 for a single control such as Text1. The number of a field is worked out where the control is
// declared, when the program is compiled, so that finding the field's text costs no reading of its name.
struct Control {
    constexpr Control(std::string_view name, int index = -1)
        : name(name), index(index), fieldNumber(textFieldNumber(name)) {}

    std::string_view name;
    int index = -1;
    int fieldNumber = 0;  // n of a field Textn, 0 for a control that is no text field

    bool operator==(const Control& other) const { return name == other.name && index == other.index; }
};

namespace form {

// Start data: the coordinates of A and B (metres), the start side length S (metres), the external azimuth Ta and
// the orientation angle Qa at A (dd.mmss), and how the computation starts.
inline constexpr Control xa{"Text1"}, ya{"Text2"}, xb{"Text3"}, yb{"Text4"};
inline constexpr Control startSideLength{"Text19"}, externalAzimuth{"Text5"}, orientationAngle{"Text6"};
inline constexpr Control startNote{"Text20"};

// The closures w(1), w(2), w(3) (seconds of arc; the window captions w(3) "wa") and w(4) (units of the sixth log
// decimal; captioned "wb").
inline constexpr Control w1{"Text15"}, w2{"Text16"}, w3{"Text17"}, w4{"Text18"};

// The precision figures: mb (seconds of arc), 1/Plgs, mlgs (units of the sixth log decimal; the window captions it
// "mlogs") and 1/m.
inline constexpr Control mb{"Text8"}, reciprocalWeight{"Text9"}, mlgs{"Text10"}, relativeError{"Text11"};

inline constexpr int angleCount = 8;  // b(1)..b(8)
inline constexpr int tableRows = 5;   // rows 0..4 of the coordinate table

constexpr Control observedAngle(int k) { return {"Text7", k}; }  // b(k + 1), k in 0..7
constexpr Control stationName(int r) { return {"Text12", r}; }
constexpr Control stationX(int r) { return {"Text13", r}; }
constexpr Control stationY(int r) { return {"Text14", r}; }

// The captions of the coordinate table's rows; only Y(r) changes (the azimuth case names A's easting there).
constexpr Control nameCaption(int r) { return {"Label16", r}; }
constexpr Control xCaption(int r) { return {"Label17", r}; }
constexpr Control yCaption(int r) { return {"Label18", r}; }
// The captions of the observed-angle fields, Label10(k).
constexpr Control angleCaption(int k) { return {"Label10", k}; }
// A single label of the window by its number n (Labeln): titles, captions and the diagrams' letters.
Control label(int number);
// A line of the diagrams and frames by its number n (Linen), 1..27.
Control line(int number);

// The three commands: compute (the dialogue of 计 算), exit and print.
inline constexpr Control computeButton{"Command1"}, exitButton{"Command2"}, printButton{"Command3"};

// A control as the terminal shows it: its name, an element of an array with its index (Text7(3)).
std::string shownName(const Control& control);

// The name of a control's widget or element: its name for a single control, name_index for an element of a control
// array (Text1, Text7_3, Label18_0).
std::string objectName(const Control& control);

// The captions the window starts with: "Y(r)".
std::string initialYCaption(int r);

// The fields Text1..Text20 in the order of their numbers, each single field once and each array once (`index` -1)
// with its number of elements.
struct FieldDeclaration {
    Control control;
    int size;  // 1 for a single field
};
inline constexpr std::array<FieldDeclaration, 20> textFields = {{
    {xa, 1}, {ya, 1}, {xb, 1}, {yb, 1}, {externalAzimuth, 1}, {orientationAngle, 1},
    {{observedAngle(0).name}, angleCount},
    {mb, 1}, {reciprocalWeight, 1}, {mlgs, 1}, {relativeError, 1},
    {{stationName(0).name}, tableRows}, {{stationX(0).name}, tableRows}, {{stationY(0).name}, tableRows},
    {w1, 1}, {w2, 1}, {w3, 1}, {w4, 1}, {startSideLength, 1}, {startNote, 1},
}};

}  // namespace form
}  // namespace morvalen
