#include "app/main_window.h"

#include "app/product.h"
#include "app/quorvel_view.h"

CMainFrame::CMainFrame(CCentigrade& scene, QWidget* parent)
    : QMainWindow(parent), view_(new CQuorvelView(scene, this)) {
    setWindowTitle(QString::fromUtf8(kProductTitle));
    setCentralWidget(view_);
    resize(1024, 768);
}
