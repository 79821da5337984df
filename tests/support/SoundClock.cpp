// Preloaded into a program whose sound goes to SDL's disk audio driver, this makes SDL's
// millisecond clock, the program's only clock, read the length of the sound written to
// SDL_DISKAUDIOFILE (44100 Hz, 16-bit stereo) since the main thread first read it: the
// recording's frame origin + n is the moment n / 44.1 ms, SDL_DISKAUDIODELAY (the driver's rest
// per chunk) sets how fast both run, and the start-up, which a fast clock would stretch, does
// not count. TORNUVA_CLOCK_LOG names a file for the origin's frame and each main thread reading.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

#include "Sound.h"

namespace {

std::uint64_t framesWritten() {
    static const char* recording = std::getenv("SDL_DISKAUDIOFILE");
    struct stat file {};
    return recording && stat(recording, &file) == 0 ? file.st_size / kBytesPerFrame : 0;
}

FILE* openLog(std::uint64_t origin) {
    const char* path = std::getenv("TORNUVA_CLOCK_LOG");
    FILE* log = path ? std::fopen(path, "w") : nullptr;
    if (log) {
        std::fprintf(log, "%lu\n", origin);
    }
    return log;
}

// The audio thread reads the clock too; only the main thread's readings are the show's.
std::uint64_t soundMs() {
    const std::uint64_t written = framesWritten();
    if (gettid() != getpid()) {
        return written * 1000 / kFramesPerSecond;
    }
    static const std::uint64_t origin = written;
    static FILE* const log = openLog(origin);
    const std::uint64_t reading = (written - origin) * 1000 / kFramesPerSecond;
    if (log) {
        std::fprintf(log, "%lu\n", reading);
    }
    return reading;
}

} // namespace

extern "C" std::uint32_t SDL_GetTicks() {
    return static_cast<std::uint32_t>(soundMs());
}

extern "C" std::uint64_t SDL_GetTicks64() {
    return soundMs();
}
