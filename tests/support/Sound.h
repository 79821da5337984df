#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Sound as the show's audio device takes it: 44100 frames a second, each a left and a right
// signed 16-bit sample, mixed 4096 frames at a time.
inline constexpr std::size_t kFramesPerSecond = 44100;
inline constexpr std::size_t kBytesPerFrame = 4;
inline constexpr std::size_t kChunkFrames = 4096;

constexpr std::size_t framesForMs(std::size_t ms) {
    return ms * kFramesPerSecond / 1000;
}

struct Sound {
    std::vector<std::int16_t> samples; // left, right, left, ...
    std::size_t frames() const { return samples.size() / 2; }
};

// What SDL's disk audio driver says on standard error as it opens its file.
std::string diskAudioNotice(const std::filesystem::path& file);

// Little-endian samples, as SDL's disk audio driver and ffmpeg's s16le write them.
Sound rawSound(const std::string& bytes);
// The whole of an Ogg Vorbis file, decoded by libvorbisfile.
Sound decodeOggVorbis(const std::filesystem::path& path);

// The stretches of sound between silences of a chunk or more: from the first frame that is
// not silent up to the silence after the last.
struct Span {
    std::size_t from;
    std::size_t to;
    bool operator==(const Span&) const = default;
};
std::vector<Span> soundSpans(const Sound& sound);

struct Alignment {
    std::size_t at;     // the frame of the sound where the piece fits best
    double correlation; // how well: 1 for the same samples, about 0 for unrelated sound
};

// Where 0.1 s of `piece` from its frame `from` (going round its end, as a loop does) fits
// best in `sound` within `radius` frames either side of frame `around`, by normalised
// cross-correlation.
Alignment align(const Sound& sound, std::size_t around, std::size_t radius, const Sound& piece,
                std::size_t from);
