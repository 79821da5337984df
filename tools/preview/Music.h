#pragma once

#include <SDL_mixer.h>

#include "Transport.h"

// Keeps the looping track where the transport is: silent before the show starts it, paused
// with the transport, and moved to the matching point after every jump. Without a track
// (none was loaded) it does nothing.
class MusicFollower {
public:
    explicit MusicFollower(Mix_Music* music);

    void follow(const Transport& transport);

    // Takes over another track (or none); the old one stops and is left to the caller.
    void replace(Mix_Music* music);

private:
    enum class State { Silent, Playing, Paused };

    void play(double seconds);
    void halt();

    Mix_Music* music_;
    double trackSeconds_ = 0;
    State state_ = State::Silent;
    std::uint64_t jumpsSeen_ = 0;
};
