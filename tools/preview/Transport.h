#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/Frame.h"

// A stretch of show time played over and over: from `start` up to, not including, `end`.
struct Loop {
    std::uint32_t start;
    std::uint32_t end;

    bool operator==(const Loop&) const = default;
};

// The preview's clock: the show's milliseconds, moved on by the wall clock while playing and
// moved about by the keys, always between 0 and the show's last frame.
class Transport {
public:
    Transport(std::uint32_t from, bool paused, std::optional<Loop> loop);

    std::uint32_t now() const { return now_; }
    bool paused() const { return paused_; }
    const std::optional<Loop>& loop() const { return loop_; }
    // Counts the jumps: every move that is not the clock running on (seeks, steps, a loop
    // going round), so that whatever follows the clock knows when to catch up.
    std::uint64_t jumps() const { return jumps_; }

    // The wall clock has run on by this much. Playing on past the loop's end goes round to
    // its start; past the show's last frame it stops there, or goes round a loop.
    void advance(std::uint64_t elapsedMs);
    void togglePause();
    void seekBy(std::int64_t deltaMs);
    void seekTo(std::uint32_t t);
    // One frame back (-1) or forward (+1); only while paused.
    void step(int direction);
    // Clears the loop, or loops the 10 s around now (kept within the show).
    void toggleLoop();

private:
    void jumpTo(std::uint32_t t);

    std::uint32_t now_;
    bool paused_;
    std::optional<Loop> loop_;
    std::uint64_t jumps_ = 0;
};

// Where the looping track is at show time t, in seconds; none before the show starts it.
// A track length of 0 or less (unknown) leaves the position unreduced.
std::optional<double> musicPosition(std::uint32_t t, double trackSeconds);

// "Tornuva preview 1:23.456 voyage", with the state of the transport and a notice after it.
std::string previewTitle(const Transport& transport, const std::string& notice);
