#include "app/System.h"

#include <cstdlib>

// GLEW loads through GLX. Without a reachable X display SDL falls back to a video driver that
// still makes a context (offscreen, through EGL), and only the loader notices.
std::string openGlAdvice(const char* videoDriver) {
    const char* display = std::getenv("DISPLAY");
    const std::string tried =
        std::string("SDL video driver \"") + (videoDriver ? videoDriver : "none") + "\", " +
        (display ? "DISPLAY \"" + std::string(display) + "\"" : "DISPLAY not set");
    return "through an X display (" + tried +
           ").\nThe show needs an X display with OpenGL: run it in a desktop session, or point "
           "DISPLAY at a running X server.";
}
