#include "app/System.h"

#include <stdexcept>

#include <io.h>

namespace {

constexpr char kNoVideo[] = "video capture needs the Linux build of tornuva-capture; here, "
                            "--frames DIR writes the frames as PNGs for an encoder";

} // namespace

// The window has a context by now, so only a driver without OpenGL is left to blame.
std::string openGlAdvice(const char* videoDriver) {
    return std::string("(SDL video driver \"") + (videoDriver ? videoDriver : "none") +
           "\").\nThe show needs OpenGL: install the graphics card maker's driver.\n";
}

bool isTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

// Windows has no signal for a reader that quits; the write fails by itself.
void ignoreBrokenPipes() {}

std::string requireFfmpeg() {
    throw std::runtime_error(kNoVideo);
}

// The capture asks for ffmpeg first, so these two are never reached here.
std::FILE* startFeeding(const std::string&) {
    throw std::runtime_error(kNoVideo);
}

int finishFeeding(std::FILE*) {
    return -1;
}
