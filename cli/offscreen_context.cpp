#include "cli/offscreen_context.h"

#include <EGL/eglext.h>

#include <vector>

#include "image/dib_stream.h"
#include "render/gl_api.h"

OffscreenContext::~OffscreenContext() {
    if (context != EGL_NO_CONTEXT) {
        if (framebuffer != 0) {
            glDeleteFramebuffers(1, &framebuffer);
            glDeleteRenderbuffers(2, renderbuffers);
        }
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
    }
    if (display != EGL_NO_DISPLAY) {
        eglTerminate(display);
    }
}

std::string OffscreenContext::Create(int w, int h) {
    width = w;
    height = h;
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        return "EGL offers no platform displays (eglGetPlatformDisplayEXT)";
    }
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        display = EGL_NO_DISPLAY;
        return "no EGL display on the surfaceless platform (Mesa's EGL is needed)";
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return "EGL cannot create desktop OpenGL contexts";
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) {
        config = nullptr;  // EGL_KHR_no_config_context: Mesa accepts a context without one
    }
    // No version asked for: the compatibility profile, whose fixed-function
    // pipeline the renderer draws with.
    const EGLint contextAttributes[] = {EGL_NONE};
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        return "cannot create an OpenGL context through EGL";
    }
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        return "cannot make the OpenGL context current without a surface";
    }
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, renderbuffers);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              renderbuffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              renderbuffers[1]);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        return "cannot make a " + std::to_string(width) + " × " + std::to_string(height) +
               " framebuffer";
    }
    return {};
}

bool OffscreenContext::Read(DibStream& image) const {
    if (!image.Create(width, height, 24)) {
        return false;
    }
    // Rows come bottom first, the order of a bottom-up picture.
    glPixelStorei(GL_PACK_ALIGNMENT, DibStream::kRowAlignment);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, image.Bits());
    return glGetError() == GL_NO_ERROR;
}
