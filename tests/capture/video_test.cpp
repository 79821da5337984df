#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "VideoPipe.h"

namespace {

// ffprobe's key=value lines, keyed by "stream<index>.<key>" and "format.<key>".
std::map<std::string, std::string> probe(const std::string& path) {
    std::istringstream lines(commandOutput(
        "ffprobe -v error -show_entries "
        "stream=index,codec_type,codec_name,width,height,r_frame_rate,pix_fmt,sample_rate:"
        "format=duration -of default=noprint_wrappers=0 " +
        shellQuote(path)));
    std::map<std::string, std::string> values;
    std::string section;
    std::string line;
    std::string index;
    while (std::getline(lines, line)) {
        if (line == "[STREAM]" || line == "[FORMAT]") {
            section = line == "[STREAM]" ? "stream" : "format";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "index") {
            index = value;
            continue;
        }
        values[section + (section == "stream" ? index : "") + "." + key] = value;
    }
    return values;
}

// The sound track as mono 16-bit samples at the show's rate.
std::vector<std::int16_t> decodeSound(const std::string& path) {
    const std::string raw =
        commandOutput("ffmpeg -v error -i " + shellQuote(path) + " -map 0:a -ac 1 -ar " +
                      std::to_string(kAudioSampleRate) + " -f s16le -");
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
}

double rms(const std::vector<std::int16_t>& samples, double fromSeconds, double toSeconds) {
    const auto first = static_cast<std::size_t>(fromSeconds * kAudioSampleRate);
    const auto last =
        std::min(samples.size(), static_cast<std::size_t>(toSeconds * kAudioSampleRate));
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

    const std::map<std::string, std::string> info = probe(path);
    EXPECT_EQ(info.at("stream0.codec_type"), "video");
    EXPECT_EQ(info.at("stream0.codec_name"), "h264");
    EXPECT_EQ(info.at("stream0.pix_fmt"), "yuv420p");
    EXPECT_EQ(info.at("stream0.width"), "640");
    EXPECT_EQ(info.at("stream0.height"), "360");
    EXPECT_EQ(info.at("stream0.r_frame_rate"), "30/1");
    EXPECT_EQ(info.at("stream1.codec_type"), "audio");
    EXPECT_EQ(info.at("stream1.sample_rate"), std::to_string(kAudioSampleRate));
    EXPECT_NEAR(std::stod(info.at("format.duration")), 2.0, 0.03);

    const std::vector<std::int16_t> sound = decodeSound(path);
    EXPECT_NEAR(double(sound.size()) / kAudioSampleRate, 2.0, 0.05);
    EXPECT_LT(rms(sound, 0.0, 0.98), 20.0) << "music before the show starts it";
    EXPECT_GT(rms(sound, 1.03, 1.5), 500.0) << "no music after the show starts it";
    EXPECT_GT(rms(sound, 1.5, 1.95), 500.0) << "no music after the show starts it";
}

} // namespace
