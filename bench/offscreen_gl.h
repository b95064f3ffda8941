// An off-screen GL context of the renderer's kind with an 800 × 600
// framebuffer, for the benchmarks that draw (run under xvfb-run).
#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <memory>

constexpr int kBenchWidth = 800;
constexpr int kBenchHeight = 600;

// Made current on construction; needs the application object.
class OffscreenGl {
public:
    OffscreenGl();

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
};

// Reads one pixel back, so the GL must have finished the frame.
void FinishFrame();

// main() of a drawing benchmark: the application object, the context, then
// the benchmarks named on the command line.
int RunOffscreenBenchmarks(int argc, char** argv);
