// Preloaded into a program whose sound goes to SDL's disk audio driver, this makes SDL's
// millisecond clock, the program's only clock, read how much sound the driver has written to
// SDL_DISKAUDIOFILE (at the device's 44100 Hz, 16-bit stereo) since the main thread first read
// it. The recording's frame origin + n is then exactly the moment n / 44.1 ms, and
// SDL_DISKAUDIODELAY, the driver's rest after each chunk, sets how fast both run; the start-up
// before the first reading, which the faster clock would have stretched, does not count. The
// file TORNUVA_CLOCK_LOG names gets the origin's frame, then every reading of the main thread.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t kBytesPerFrame = 4;
constexpr std::uint64_t kBytesPerSecond = 44100 * kBytesPerFrame;

std::uint64_t bytesWritten() {
    static const char* recording = std::getenv("SDL_DISKAUDIOFILE");
    struct stat file {};
    return recording && stat(recording, &file) == 0 ? static_cast<std::uint64_t>(file.st_size) : 0;
}

FILE* openLog(std::uint64_t originFrame) {
    const char* path = std::getenv("TORNUVA_CLOCK_LOG");
    FILE* log = path ? std::fopen(path, "w") : nullptr;
    if (log) {
        std::fprintf(log, "%lu\n", originFrame);
    }
    return log;
}

// The audio thread reads the clock too; only the main thread's readings are the show's.
std::uint64_t soundMs() {
    const std::uint64_t written = bytesWritten();
    if (gettid() != getpid()) {
        return written * 1000 / kBytesPerSecond;
    }
    static const std::uint64_t origin = written;
    static FILE* const log = openLog(origin / kBytesPerFrame);
    const std::uint64_t reading = (written - origin) * 1000 / kBytesPerSecond;
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
