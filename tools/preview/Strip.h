#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include <GL/glew.h>
#include <SDL_ttf.h>

#include "Transport.h"
#include "app/Timeline.h"
#include "gfx/Texture.h"

// The moment under a column of a strip `width` pixels wide, mapped linearly: the left column
// is 0, the right one the show's last frame; columns beyond the strip are at its edges.
std::uint32_t momentAtColumn(int column, int width);
// The column of the strip that shows moment t: the nearest to where it falls.
int columnOfMoment(std::uint32_t t, int width);

// The timeline strip below the preview's frame: the music's waveform as the show plays it, the
// scenes' windows named and coloured, the loop's stretch and the playhead. Drawn into the
// window's bottom rows alone, leaving the GL state as it found it.
class Strip {
public:
    static constexpr int kHeight = 64;

    // Needs a current GL context; the scenes' names are rendered with the font.
    explicit Strip(TTF_Font* font);
    Strip(const Strip&) = delete;
    Strip& operator=(const Strip&) = delete;

    // Decodes the looping track once, to draw its waveform; a track that does not decode, or
    // none, draws as silence.
    void loadMusic(const char* path);

    // Draws into the window's framebuffer, at the bottom, as wide as the window.
    void draw(int width, const Transport& transport);

private:
    struct Name {
        Texture texture;
        int width = 0;
        int height = 0;
    };

    const std::vector<float>& columnPeaks(int width);
    void drawScenes(int width) const;
    void drawWaveform(int width);
    void drawLoopAndPlayhead(int width, const Transport& transport) const;

    std::span<const TimelineScene> scenes_;
    std::vector<int> lanes_; // each scene's row, so that overlapping windows lie apart
    std::deque<Name> names_; // textures stay where they are made
    // The track's loudness in each stretch of it, and the loudest under each column.
    std::vector<float> trackPeaks_;
    std::vector<float> columnPeaks_;
    int peaksWidth_ = 0;
};
