#include "app/window_size.h"

#include <QScreen>
#include <QWidget>

void ResizeWithinScreen(QWidget& window, QSize preferred) {
    const QScreen* screen = window.screen();
    QSize size = preferred;
    if (screen != nullptr) {
        size = size.boundedTo(screen->availableGeometry().size());
    }
    window.resize(size);
}
