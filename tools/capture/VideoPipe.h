#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "RgbaImage.h"
#include "Schedule.h"

inline constexpr int kAudioSampleRate = 44100; // the rate the show opens its audio device at

struct VideoJob {
    std::string output;
    int width = 0;
    int height = 0;
    int fps = 0;
    std::uint64_t frames = 0;
    int crf = 18;
    std::string preset = "medium";
    std::optional<std::string> music; // the track to loop; none: a silent sound track
    MusicPlacement placement{};
};

// The ffmpeg arguments (after the program name) that read `frames` raw RGBA frames from
// standard input and write the video with its sound track, cut to the same length.
std::vector<std::string> ffmpegArguments(const VideoJob& job);

// A single-quoted word for /bin/sh.
std::string shellQuote(const std::string& word);

// An ffmpeg process fed frames through a pipe. A video that is not finished is removed, so a
// failed capture leaves no truncated file behind.
class VideoPipe {
public:
    // Throws std::runtime_error when ffmpeg cannot be started.
    VideoPipe(const std::string& ffmpeg, const VideoJob& job);
    ~VideoPipe();
    VideoPipe(const VideoPipe&) = delete;
    VideoPipe& operator=(const VideoPipe&) = delete;

    // Throws std::runtime_error when ffmpeg has stopped taking frames.
    void write(const RgbaImage& frame);

    // Waits for ffmpeg to finish the file; throws std::runtime_error when it failed.
    void finish();

private:
    std::FILE* pipe_ = nullptr;
    std::string output_;
};
