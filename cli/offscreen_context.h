// An OpenGL context without a window or an X server: EGL on Mesa's
// surfaceless platform, drawing into a framebuffer object of a fixed size.
#pragma once

#include <EGL/egl.h>

#include <cstdint>
#include <string>

class DibStream;

class OffscreenContext {
public:
    OffscreenContext() = default;
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Makes a compatibility-profile context current with a width × height
    // colour and depth framebuffer bound. Returns an empty string or why not.
    std::string Create(int width, int height);

    // The framebuffer as a 24-bit picture.
    bool Read(DibStream& image) const;

private:
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    unsigned framebuffer = 0;
    unsigned renderbuffers[2] = {0, 0};
    int width = 0;
    int height = 0;
};
