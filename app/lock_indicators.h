// The CAP, NUM and SCRL panes of the status bar: each shows its name while
// that lock is on. The state comes from X11's keyboard extension; elsewhere
// the panes stay empty.
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

class CLockIndicators : public QObject {
public:
    // Adds the three panes to the right end of `bar`.
    explicit CLockIndicators(QStatusBar* bar);

    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
};
