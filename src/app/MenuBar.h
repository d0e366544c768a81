// The menu bar above the window's layout.
#pragma once

class QMenu;
class QMenuBar;
class QVBoxLayout;
class QWidget;

namespace morvalen::app {

// Puts a menu bar at the top of a window and an area under it that carries the layout's controls, so that their
// positions stay measured from the top-left corner of the area under the menu bar. The window grows by the menu
// bar's height. A menu is added with one call, in the order the menus stand on the bar.
class MenuBarFrame {
public:
    explicit MenuBarFrame(QWidget& window);

    QWidget& layoutArea() const { return *layoutArea_; }
    QMenuBar& menuBar() const { return *menuBar_; }

    // Takes the menu (it becomes a child of the menu bar) and puts it at the right of the menus already there.
    void addMenu(QMenu* menu);

    // Pixels the menu bar takes above the layout area.
    int menuBarHeight() const;

private:
    QMenuBar* menuBar_;
    QWidget* layoutArea_;
};

}  // namespace morvalen::app
