// The toolbar icons are SVG, which Qt draws only through the SVG icon engine
// and image format plugins of libqt6svg6; no linker sees that dependency, so
// a desktop may lack them. Then every button would be blank: the program says
// why and names the commands instead.
#pragma once

#include <QSize>

class QIcon;
class QMainWindow;
class QToolBar;

// "アイコンを表示できません: libqt6svg6 がありません"
extern const char* const kIconsMissingMessage;

// Whether `icon` draws at least one visible pixel at `size`.
bool IconDraws(const QIcon& icon, QSize size);

// When the first icon of `toolBar` does not draw, says so on stderr and in a
// pane of `window`'s status bar that no prompt covers, and the window's
// toolbars show their commands' names instead. Returns whether it draws.
bool CheckToolBarIcons(QMainWindow& window, const QToolBar& toolBar);
