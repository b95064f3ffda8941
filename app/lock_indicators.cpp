#include "app/lock_indicators.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "app/lock_state.h"

namespace {

QLabel* AddPane(QStatusBar* bar, const QString& name) {
    auto* label = new QLabel(bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(name) + 8);
    label->setAccessibleName(name);
    bar->addPermanentWidget(label);
    return label;
}

bool IsLockKey(int key) {
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

}  // namespace

CLockIndicators::CLockIndicators(QStatusBar* bar)
    : QObject(bar),
      caps_(AddPane(bar, QStringLiteral("CAP"))),
      num_(AddPane(bar, QStringLiteral("NUM"))),
      scroll_(AddPane(bar, QStringLiteral("SCRL"))) {
    // The locks change with their keys, or in another window while this one
    // is inactive.
    qApp->installEventFilter(this);
    Refresh();
}

void CLockIndicators::Refresh() {
    const LockState state = ReadLockState();
    caps_->setText(state.caps ? QStringLiteral("CAP") : QString());
    num_->setText(state.num ? QStringLiteral("NUM") : QString());
    scroll_->setText(state.scroll ? QStringLiteral("SCRL") : QString());
}

bool CLockIndicators::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ApplicationActivate ||
        (event->type() == QEvent::KeyRelease && IsLockKey(static_cast<QKeyEvent*>(event)->key()))) {
        Refresh();
    }
    return false;
}
