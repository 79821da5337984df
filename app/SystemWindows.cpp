#include "app/System.h"

// The window has a context by now, so only a driver without OpenGL is left to blame.
std::string openGlAdvice(const char* videoDriver) {
    return std::string("(SDL video driver \"") + (videoDriver ? videoDriver : "none") +
           "\").\nThe show needs OpenGL: install the graphics card maker's driver.";
}
