#include "Strip.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <SDL_mixer.h>

#include "app/Timeline.h"
#include "gfx/TextTexture.h"

namespace {

// The strip from the bottom: the waveform, then the scenes' lanes.
constexpr int kWaveformHeight = 28;
constexpr int kLaneHeight = 18;
constexpr std::uint32_t kPeakBinMs = 10;
constexpr SDL_Color kNameColour = {255, 255, 255, 255};

struct Rgb {
    float red, green, blue;
};
constexpr Rgb kBackground = {0.1f, 0.1f, 0.11f};
constexpr Rgb kWave = {0.45f, 0.75f, 0.55f};
constexpr Rgb kPlayhead = {1.0f, 1.0f, 1.0f};
constexpr std::array<Rgb, 6> kSceneColours = {Rgb{0.45f, 0.45f, 0.48f}, Rgb{0.55f, 0.38f, 0.2f},
                                              Rgb{0.25f, 0.45f, 0.6f},  Rgb{0.6f, 0.3f, 0.45f},
                                              Rgb{0.3f, 0.5f, 0.3f},    Rgb{0.2f, 0.35f, 0.65f}};

void colour(const Rgb& rgb, float alpha = 1.0f) {
    glColor4f(rgb.red, rgb.green, rgb.blue, alpha);
}

void rectangle(float left, float bottom, float right, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(left, bottom);
    glTexCoord2f(1, 1);
    glVertex2f(right, bottom);
    glTexCoord2f(1, 0);
    glVertex2f(right, top);
    glTexCoord2f(0, 0);
    glVertex2f(left, top);
    glEnd();
}

// Each window in the first lane whose windows so far have ended before it starts.
std::vector<int> laneOfEach(std::span<const TimelineScene> scenes) {
    std::vector<int> lanes;
    std::vector<std::uint32_t> laneEnds;
    for (const TimelineScene& scene : scenes) {
        std::size_t lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] >= scene.first) {
            ++lane;
        }
        laneEnds.resize(std::max(laneEnds.size(), lane + 1));
        laneEnds[lane] = scene.last;
        lanes.push_back(static_cast<int>(lane));
    }
    return lanes;
}

// The loudness (root mean square, 1 at full scale) of each stretch of kPeakBinMs of a decoded
// chunk in the mixer's format.
std::vector<float> loudnessOf(const Mix_Chunk& chunk) {
    int frequency = 0;
    int channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0 || format != AUDIO_S16SYS) {
        return {};
    }
    const auto* samples = reinterpret_cast<const Sint16*>(chunk.abuf);
    const std::size_t count = chunk.alen / sizeof(Sint16);
    const std::size_t perBin = static_cast<std::size_t>(frequency) * channels * kPeakBinMs / 1000;
    std::vector<float> peaks;
    for (std::size_t from = 0; from < count; from += perBin) {
        const std::size_t to = std::min(count, from + perBin);
        double sum = 0;
        for (std::size_t i = from; i < to; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        peaks.push_back(
            static_cast<float>(std::sqrt(sum / static_cast<double>(to - from)) / 32768.0));
    }
    return peaks;
}

} // namespace

std::uint32_t momentAtColumn(int column, int width) {
    if (width <= 1 || column <= 0) {
        return 0;
    }
    const std::uint64_t last = static_cast<std::uint64_t>(width - 1);
    const std::uint64_t at = std::min(static_cast<std::uint64_t>(column), last);
    return static_cast<std::uint32_t>((at * kShowLastFrameMs + last / 2) / last);
}

int columnOfMoment(std::uint32_t t, int width) {
    if (width <= 1) {
        return 0;
    }
    const std::uint64_t at = std::min(t, kShowLastFrameMs);
    return static_cast<int>((at * static_cast<std::uint64_t>(width - 1) + kShowLastFrameMs / 2) /
                            kShowLastFrameMs);
}

Strip::Strip(TTF_Font* font) : scenes_(showTimeline()), lanes_(laneOfEach(scenes_)) {
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    for (const TimelineScene& scene : scenes_) {
        const TextSurfacePtr text = renderText(font, scene.name, kNameColour);
        Name& name = names_.emplace_back();
        name.width = text->w;
        name.height = text->h;
        makeTextTexture(*text, name.texture, GL_NEAREST);
    }
    glPopClientAttrib();
    glPopAttrib();
}

void Strip::loadMusic(const char* path) {
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    trackPeaks_ = chunk ? loudnessOf(*chunk) : std::vector<float>();
    if (chunk) {
        Mix_FreeChunk(chunk);
    }
    // Drawn relative to the loudest stretch, so that a quiet track still shows its shape.
    const float loudest =
        trackPeaks_.empty() ? 0.0f : *std::max_element(trackPeaks_.begin(), trackPeaks_.end());
    for (float& loudness : trackPeaks_) {
        loudness = loudest > 0 ? loudness / loudest : 0.0f;
    }
    peaksWidth_ = 0;
}

// The loudest the music gets, as the show plays it, in the moments under each column.
const std::vector<float>& Strip::columnPeaks(int width) {
    if (peaksWidth_ == width) {
        return columnPeaks_;
    }
    const double trackSeconds = static_cast<double>(trackPeaks_.size() * kPeakBinMs) / 1000.0;
    columnPeaks_.assign(static_cast<std::size_t>(width), 0.0f);
    for (int column = 0; column < width && !trackPeaks_.empty(); ++column) {
        const std::uint32_t end =
            std::max(momentAtColumn(column + 1, width), momentAtColumn(column, width) + 1);
        for (std::uint32_t t = momentAtColumn(column, width); t < end; t += kPeakBinMs) {
            const std::optional<double> position = musicPosition(t, trackSeconds);
            if (position) {
                const auto bin = static_cast<std::size_t>(*position * 1000.0 / kPeakBinMs);
                columnPeaks_[column] = std::max(columnPeaks_[column],
                                                trackPeaks_[std::min(bin, trackPeaks_.size() - 1)]);
            }
        }
    }
    peaksWidth_ = width;
    return columnPeaks_;
}

void Strip::draw(int width, const Transport& transport) {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, width, kHeight);
    glScissor(0, 0, width, kHeight);
    glEnable(GL_SCISSOR_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    colour(kBackground);
    rectangle(0, 0, static_cast<float>(width), kHeight);
    drawWaveform(width);
    drawScenes(width);
    drawLoopAndPlayhead(width, transport);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void Strip::drawWaveform(int width) {
    const std::vector<float>& peaks = columnPeaks(width);
    const float middle = kWaveformHeight / 2.0f;
    colour(kWave);
    glBegin(GL_LINES);
    for (int column = 0; column < width; ++column) {
        const float half = std::max(0.5f, peaks[column] * middle);
        glVertex2f(column + 0.5f, middle - half);
        glVertex2f(column + 0.5f, middle + half);
    }
    glEnd();
}

void Strip::drawScenes(int width) const {
    for (std::size_t i = 0; i < scenes_.size(); ++i) {
        const float left = static_cast<float>(columnOfMoment(scenes_[i].first, width));
        const float right = static_cast<float>(columnOfMoment(scenes_[i].last, width) + 1);
        const float bottom = static_cast<float>(kWaveformHeight + lanes_[i] * kLaneHeight);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        colour(kSceneColours[i % kSceneColours.size()]);
        rectangle(left, bottom + 1, right - 1, bottom + kLaneHeight - 1);
        // The name inside its window, as much of it as fits.
        const Name& name = names_[i];
        const float shown = std::min(static_cast<float>(name.width), right - left - 4);
        if (shown > 0) {
            glEnable(GL_TEXTURE_2D);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            bindTexture(name.texture);
            glColor4f(1, 1, 1, 1);
            const float top = bottom + (kLaneHeight + static_cast<float>(name.height)) / 2;
            glScissor(static_cast<GLint>(left + 2), 0, static_cast<GLsizei>(shown), kHeight);
            rectangle(left + 2, top - static_cast<float>(name.height), left + 2 + name.width, top);
            glScissor(0, 0, width, kHeight);
        }
    }
    glDisable(GL_TEXTURE_2D);
}

void Strip::drawLoopAndPlayhead(int width, const Transport& transport) const {
    if (transport.loop()) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        colour(kPlayhead, 0.25f);
        rectangle(static_cast<float>(columnOfMoment(transport.loop()->start, width)), 0,
                  static_cast<float>(columnOfMoment(transport.loop()->end, width) + 1), kHeight);
        glDisable(GL_BLEND);
    }
    const float at = static_cast<float>(columnOfMoment(transport.now(), width));
    colour(kPlayhead);
    rectangle(at, 0, at + 1, kHeight);
}
