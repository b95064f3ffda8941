#include "offscreen_gl.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "render/gl_api.h"

OffscreenGl::OffscreenGl() {
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    surface_.setFormat(format);
    surface_.create();
    context_.setFormat(format);
    if (!context_.create() || !context_.makeCurrent(&surface_)) {
        std::abort();
    }
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(kBenchWidth, kBenchHeight, fboFormat);
    framebuffer_->bind();
}

void FinishFrame() {
    unsigned char pixel[4];
    glReadPixels(kBenchWidth / 2, kBenchHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    benchmark::DoNotOptimize(pixel);
}

int RunOffscreenBenchmarks(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const OffscreenGl context;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
