#include "app/quorvel_view.h"

#include "scene/centigrade.h"

CQuorvelView::CQuorvelView(CCentigrade& scene, QWidget* parent)
    : QOpenGLWidget(parent), scene_(scene) {}

void CQuorvelView::initializeGL() { initializeOpenGLFunctions(); }

void CQuorvelView::paintGL() {
    const std::uint32_t c = scene_.background;
    glClearColor(static_cast<float>(c & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
                 static_cast<float>((c >> 16) & 0xFF) / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
