#include "CaptureSystem.h"

#include <stdexcept>

#include <io.h>

namespace {

constexpr char kNoVideo[] = "video capture needs the Linux build of tornuva-capture; here, "
                            "--frames DIR writes the frames as PNGs for an encoder";

} // namespace

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
