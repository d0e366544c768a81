#include "app/MenuBar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

namespace morvalen::app {

MenuBarFrame::MenuBarFrame(QWidget& window)
    : menuBar_(new QMenuBar(&window)), layoutArea_(new QWidget(&window)), statusBar_(new QStatusBar(&window)),
      layout_(new QVBoxLayout(&window)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setMenuBar(menuBar_);
    layout_->addWidget(layoutArea_);
    layout_->addWidget(statusBar_);
    layoutArea_->setObjectName(QStringLiteral("LayoutArea"));
    statusBar_->setObjectName(QStringLiteral("StatusLine"));
    statusBar_->setSizeGripEnabled(false);
}

void MenuBarFrame::addMenu(QMenu* menu) {
    menu->setParent(menuBar_, menu->windowFlags());
    menuBar_->addMenu(menu);
}

void MenuBarFrame::placeBeside(const QSize& layoutSize, QWidget* panel, int hiddenTop) {
    layout_->removeWidget(layoutArea_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* view = new QWidget(layoutArea_->parentWidget());
    view->setObjectName(QStringLiteral("LayoutView"));
    view->setFixedSize(layoutSize.width(), layoutSize.height() - hiddenTop);
    layoutArea_->setParent(view);
    layoutArea_->setFixedSize(layoutSize);
    layoutArea_->move(0, -hiddenTop);
    row->addWidget(view, 0, Qt::AlignTop);
    auto* scroll = new QScrollArea(view->parentWidget());
    scroll->setObjectName(QStringLiteral("ObservationTableScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(panel);
    row->addWidget(scroll, 1);
    layout_->insertLayout(0, row, 1);
}

int MenuBarFrame::menuBarHeight() const { return menuBar_->sizeHint().height(); }
int MenuBarFrame::statusBarHeight() const { return statusBar_->sizeHint().height(); }

}  // namespace morvalen::app
