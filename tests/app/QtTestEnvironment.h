// The QApplication shared by the window tests, and readable failure messages for the Qt values they compare.
#pragma once

#include <QRect>
#include <QString>
#include <ostream>

namespace morvalen::testing {

// True when Qt's Chinese translation was loaded, so that the standard buttons read 确定 / 取消.
bool chineseButtonTexts();

}  // namespace morvalen::testing

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "×" << r.height();
}
