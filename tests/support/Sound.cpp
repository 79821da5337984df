#include "support/Sound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include <vorbis/vorbisfile.h>

namespace {

constexpr std::size_t kAlignedFrames = kFramesPerSecond / 10;

double correlation(const Sound& sound, std::size_t at, const std::vector<double>& piece) {
    double product = 0;
    double energy = 0;
    double pieceEnergy = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const double sample = sound.samples[2 * at + i];
        product += sample * piece[i];
        energy += sample * sample;
        pieceEnergy += piece[i] * piece[i];
    }
    return energy > 0 ? product / std::sqrt(energy * pieceEnergy) : 0;
}

} // namespace

std::string diskAudioNotice(const std::filesystem::path& file) {
    return "CRITICAL: You are using the SDL disk i/o audio driver!\nCRITICAL:  Writing to file [" +
           file.string() + "].\n";
}

Sound rawSound(const std::string& bytes) {
    Sound sound;
    sound.samples.resize(bytes.size() / kBytesPerFrame * 2);
    std::memcpy(sound.samples.data(), bytes.data(), sound.samples.size() * 2);
    return sound;
}

Sound decodeOggVorbis(const std::filesystem::path& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
        throw std::runtime_error("cannot decode " + path.string());
    }
    std::string bytes;
    char buffer[16384];
    int section = 0;
    for (long got = 0; (got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ov_clear(&file);
    return rawSound(bytes);
}

std::vector<Span> soundSpans(const Sound& sound) {
    std::vector<Span> spans;
    std::size_t silentFrames = kChunkFrames;
    for (std::size_t frame = 0; frame < sound.frames(); ++frame) {
        if (sound.samples[2 * frame] == 0 && sound.samples[2 * frame + 1] == 0) {
            ++silentFrames;
            continue;
        }
        if (silentFrames >= kChunkFrames) {
            spans.push_back({frame, frame});
        }
        silentFrames = 0;
        spans.back().to = frame + 1;
    }
    return spans;
}

Alignment align(const Sound& sound, std::size_t around, std::size_t radius, const Sound& piece,
                std::size_t from) {
    std::vector<double> wanted(2 * kAlignedFrames);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        wanted[i] = piece.samples[(2 * from + i) % piece.samples.size()];
    }
    Alignment best{around, 0};
    const std::size_t last = std::min(around + radius, sound.frames() - kAlignedFrames);
    for (std::size_t at = around > radius ? around - radius : 0; at <= last; ++at) {
        if (const double c = correlation(sound, at, wanted); c > best.correlation) {
            best = {at, c};
        }
    }
    return best;
}
