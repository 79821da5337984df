// Preloaded into the real program, this makes SDL's millisecond clock, the show's only clock,
// run TORNUVA_CLOCK_FACTOR times as fast. At exit it writes the main thread's last two
// readings, the frame before the last and the last, to the file TORNUVA_CLOCK_LOG names (the
// audio thread reads the clock too).

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>
#include <unistd.h>

namespace {

std::uint32_t previousReading = 0;
std::uint32_t lastReading = 0;

[[gnu::destructor]] void logReadings() {
    // Only a process that read the clock: others that inherit the preload keep the file.
    if (const char* path = std::getenv("TORNUVA_CLOCK_LOG"); path && lastReading != 0) {
        if (FILE* log = std::fopen(path, "w")) {
            std::fprintf(log, "%u %u\n", previousReading, lastReading);
            std::fclose(log);
        }
    }
}

} // namespace

extern "C" std::uint32_t SDL_GetTicks() {
    using Clock = std::uint32_t (*)();
    static const auto real = reinterpret_cast<Clock>(dlsym(RTLD_NEXT, "SDL_GetTicks"));
    static const char* factor = std::getenv("TORNUVA_CLOCK_FACTOR");
    static const auto speed = static_cast<std::uint32_t>(factor ? std::atoi(factor) : 1);
    const std::uint32_t reading = real() * speed;
    if (gettid() == getpid()) {
        previousReading = lastReading;
        lastReading = reading;
    }
    return reading;
}
