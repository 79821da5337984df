#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// "[########------------]  1234/9493 frames   21.3 fps   6:27 left", at most `width`
// characters of bar. Before any frame is done the speed and time left show as "--".
std::string progressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                         int barWidth);

// "m:ss", or "h:mm:ss" from an hour on; rounded up to the next whole second.
std::string remainingText(double seconds);

// A progress bar on a terminal, redrawn in place a few times a second; on anything else
// (a log, a pipe) a plain line every few seconds. Silent for a single frame.
class Progress {
public:
    Progress(std::uint64_t total, std::FILE* out);
    void update(std::uint64_t done);
    // Draws the final state and ends the line.
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    void draw(std::uint64_t done);

    std::uint64_t total_;
    std::FILE* out_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    std::uint64_t done_ = 0;
};
