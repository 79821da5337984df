#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "VideoPipe.h"

namespace {

std::string probe(const std::string& path, const std::string& entries) {
    return commandOutput("ffprobe -v error -show_entries " + entries +
                         " -of default=noprint_wrappers=1 " + shellQuote(path));
}

// Root mean square of the sound track, mono at the show's rate, between two moments.
double loudness(const std::string& path, double fromSeconds, double toSeconds) {
    const std::string raw =
        commandOutput("ffmpeg -v error -i " + shellQuote(path) + " -map 0:a -ac 1 -ar " +
                      std::to_string(kAudioSampleRate) + " -f s16le -");
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    const auto first = static_cast<std::size_t>(fromSeconds * kAudioSampleRate);
    const auto last = std::min(samples.size(), std::size_t(toSeconds * kAudioSampleRate));
    double sum = 0;
    for (std::size_t i = first; i < last; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return last > first ? std::sqrt(sum / double(last - first)) : 0;
}

// Two seconds around the moment the show starts its music (3001 ms of show time, 1001 ms
// into this video): the picture's size and rate, the length, and a sound track that is
// silent before that moment and plays after it.
TEST(CaptureVideo, ShortVideoHasItsSizeRateLengthAndMusic) {
    const std::string path = freshOutput("short.mp4");
    const CaptureRun run = runCapture(
        {"-o", path, "--fps", "30", "--size", "640x360", "--from", "2000", "--to", "4000"});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(probe(path, "stream=codec_name,width,height,pix_fmt,r_frame_rate,sample_rate"),
              "codec_name=h264\nwidth=640\nheight=360\npix_fmt=yuv420p\nr_frame_rate=30/1\n"
              "codec_name=aac\nsample_rate=" +
                  std::to_string(kAudioSampleRate) + "\nr_frame_rate=0/0\n");
    EXPECT_NEAR(std::stod(probe(path, "format=duration").substr(9)), 2.0, 0.03);
    EXPECT_LT(loudness(path, 0.0, 0.98), 20.0) << "music before the show starts it";
    EXPECT_GT(loudness(path, 1.03, 1.5), 500.0) << "no music after the show starts it";
    EXPECT_GT(loudness(path, 1.5, 1.95), 500.0) << "no music after the show starts it";
}

} // namespace
