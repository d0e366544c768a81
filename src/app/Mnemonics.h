// The Alt letters of the window's menus, so that every menu and every item can be reached from the keyboard.
#pragma once

class QMenuBar;

namespace morvalen::app {

// Gives every menu of the bar its Alt letter: 文件(&F), 编辑(&E), 计算过程(&S), 语言(&L), 检核(&C); in English the
// letter in the word (&File). Every item of the menus below them that has no Alt letter yet gets the first letter
// of its text not taken in its menu, or else the first free letter or digit.
void addMnemonics(QMenuBar& menuBar);

}  // namespace morvalen::app
