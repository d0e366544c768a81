#include "app/MenuBar.h"

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace morvalen::app {

MenuBarFrame::MenuBarFrame(QWidget& window)
    : menuBar_(new QMenuBar(&window)), layoutArea_(new QWidget(&window)) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(layoutArea_);
    layoutArea_->setObjectName(QStringLiteral("LayoutArea"));
}

void MenuBarFrame::addMenu(QMenu* menu) {
    menu->setParent(menuBar_, menu->windowFlags());
    menuBar_->addMenu(menu);
}

int MenuBarFrame::menuBarHeight() const { return menuBar_->sizeHint().height(); }

}  // namespace morvalen::app
