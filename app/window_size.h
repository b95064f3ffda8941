// The size the main window opens at.
#pragma once

#include <QSize>

class QWidget;

// Resizes `window` to `preferred`, but no larger than the available area of
// its screen: a scaled screen (QT_SCALE_FACTOR=2 on a laptop, say) may have
// fewer logical pixels than the window would like, and a window larger than
// the screen hides its panels beyond the edge.
void ResizeWithinScreen(QWidget& window, QSize preferred);
