// The menu bar above the window's layout, the observation table beside it and the status line below.
#pragma once

class QMenu;
class QMenuBar;
class QStatusBar;
class QVBoxLayout;
class QWidget;
class QSize;

namespace morvalen::app {

// Puts a menu bar at the top of a window and an area under it that carries the layout's controls, so that their
// positions stay measured from the top-left corner of the area under the menu bar; a panel may stand to the right of
// the area, and a status line runs below both. The window grows by the menu bar's height. A menu is added with one
// call, in the order the menus stand on the bar.
class MenuBarFrame {
public:
    explicit MenuBarFrame(QWidget& window);

    QWidget& layoutArea() const { return *layoutArea_; }
    QMenuBar& menuBar() const { return *menuBar_; }
    QStatusBar& statusBar() const { return *statusBar_; }

    // Takes the menu (it becomes a child of the menu bar) and puts it at the right of the menus already there.
    void addMenu(QMenu* menu);

    // Gives the layout area its size in pixels and puts `panel` to its right. The top `hiddenTop` pixels of the area,
    // where no control stands, are not shown: the area lies that much above the top of a view of its own
    // (LayoutView), and the controls keep their places in the area. The panel scrolls where the window is too small
    // for it.
    void placeBeside(const QSize& layoutSize, QWidget* panel, int hiddenTop = 0);

    // Pixels the menu bar takes above the layout area.
    int menuBarHeight() const;
    // Pixels the status line takes below it.
    int statusBarHeight() const;

private:
    QMenuBar* menuBar_;
    QWidget* layoutArea_;
    QStatusBar* statusBar_;
    QVBoxLayout* layout_;
};

}  // namespace morvalen::app
