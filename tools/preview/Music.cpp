#include "Music.h"

MusicFollower::MusicFollower(Mix_Music* music) {
    replace(music);
}

void MusicFollower::replace(Mix_Music* music) {
    halt();
    music_ = music;
    trackSeconds_ = music ? Mix_MusicDuration(music) : 0;
}

void MusicFollower::follow(const Transport& transport) {
    const bool jumped = transport.jumps() != jumpsSeen_;
    jumpsSeen_ = transport.jumps();
    if (!music_) {
        return;
    }
    const std::optional<double> position = musicPosition(transport.now(), trackSeconds_);
    // After a jump the track starts afresh at its new point: a seek alone would first play out
    // what the mixer had decoded ahead of the old one.
    if (!position || jumped) {
        halt();
    }
    if (!position) {
        return;
    }
    if (transport.paused()) {
        if (state_ == State::Playing) {
            Mix_PauseMusic();
            state_ = State::Paused;
        }
    } else if (state_ == State::Silent) {
        play(*position);
    } else if (state_ == State::Paused) {
        Mix_ResumeMusic();
        state_ = State::Playing;
    }
}

void MusicFollower::play(double seconds) {
    // Started at the position in one go, so the track's opening is never heard first. A
    // failed start is not retried: the preview goes on silent, as the show does.
    Mix_FadeInMusicPos(music_, -1, 0, seconds);
    state_ = State::Playing;
}

void MusicFollower::halt() {
    if (state_ != State::Silent) {
        Mix_HaltMusic();
        state_ = State::Silent;
    }
}
