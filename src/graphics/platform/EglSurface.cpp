#include <epoxy/egl.h>

#include "graphics/platform/GlSurface.h"

namespace {

class EglSurface : public GlSurface {
public:
    EglSurface(EGLDisplay display, EGLContext context) : display(display), context(context) {}
    ~EglSurface() override {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
        eglTerminate(display);
    }
    bool ApplyMode(const PresentParameters&) override { return true; }
    void Swap() override {}
    void DrawableSize(int& width, int& height) const override { width = height = 0; }
    int RefreshRate() const override { return 0; }

private:
    EGLDisplay display;
    EGLContext context;
};

}  // namespace

std::unique_ptr<GlSurface> CreateOffscreenSurface(std::string& error) {
    if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        error = "EGL has no surfaceless platform";
        return nullptr;
    }
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        error = "no EGL display";
        return nullptr;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    EGLContext context = EGL_NO_CONTEXT;
    if (eglBindAPI(EGL_OPENGL_API)) {
        context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    }
    if (context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
        error = "no OpenGL 3.3 core context through EGL";
        return nullptr;
    }
    return std::make_unique<EglSurface>(display, context);
}
