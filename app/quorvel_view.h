// The 3D view: an OpenGL widget drawing the scene.
#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLWidget>

class CCentigrade;

class CQuorvelView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

public:
    explicit CQuorvelView(CCentigrade& scene, QWidget* parent = nullptr);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    CCentigrade& scene_;
};
