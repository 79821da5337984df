#include "VideoPipe.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "CaptureSystem.h"

namespace {

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

std::string audioFilter(const VideoJob& job) {
    const std::uint64_t total = samplesForFrames(job.frames, job.fps, kAudioSampleRate);
    std::ostringstream filter;
    filter << "[1:a]aresample=" << kAudioSampleRate << ",aformat=channel_layouts=stereo";
    if (job.music) {
        // The loop runs in the input; the offset is taken from its start, so it may lie
        // several passes in, and the silence before the show starts the music goes first.
        filter << ",atrim=start_sample="
               << samplesForMs(job.placement.trackOffsetMs, kAudioSampleRate) << ",asetpts=N/SR/TB";
        const std::uint64_t delay = samplesForMs(job.placement.delayMs, kAudioSampleRate);
        if (delay > 0) {
            filter << ",adelay=delays=" << delay << "S:all=1,asetpts=N/SR/TB";
        }
    }
    filter << ",atrim=end_sample=" << total << "[a]";
    return filter.str();
}

} // namespace

std::vector<std::string> ffmpegArguments(const VideoJob& job) {
    std::vector<std::string> args = {"-hide_banner", "-loglevel", "error", "-nostats", "-y"};
    const std::string size = std::to_string(job.width) + "x" + std::to_string(job.height);
    args.insert(args.end(), {"-f", "rawvideo", "-pix_fmt", "rgba", "-video_size", size,
                             "-framerate", std::to_string(job.fps), "-i", "pipe:0"});
    if (job.music) {
        args.insert(args.end(), {"-stream_loop", "-1", "-i", *job.music});
    } else {
        args.insert(args.end(), {"-f", "lavfi", "-i",
                                 "anullsrc=r=" + std::to_string(kAudioSampleRate) + ":cl=stereo"});
    }
    args.insert(args.end(),
                {"-filter_complex", audioFilter(job), "-map", "0:v", "-map", "[a]",
                 // HD colours, tagged, so players do not guess.
                 "-vf", "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p", "-colorspace",
                 "bt709", "-color_primaries", "bt709", "-color_trc", "bt709", "-color_range", "tv",
                 "-c:v", "libx264", "-preset", job.preset, "-crf", std::to_string(job.crf), "-c:a",
                 "aac", "-b:a", "192k"});
    const std::string extension = lowerExtension(job.output);
    if (extension == ".mp4" || extension == ".mov" || extension == ".m4v") {
        args.insert(args.end(), {"-movflags", "+faststart"});
    }
    args.push_back(job.output);
    return args;
}

std::string shellQuote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

VideoPipe::VideoPipe(const std::string& ffmpeg, const VideoJob& job) : output_(job.output) {
    std::string command = shellQuote(ffmpeg);
    for (const std::string& arg : ffmpegArguments(job)) {
        command += ' ';
        command += shellQuote(arg);
    }
    pipe_ = startFeeding(command);
}

VideoPipe::~VideoPipe() {
    if (pipe_) {
        finishFeeding(pipe_);
        std::error_code ignored;
        std::filesystem::remove(output_, ignored);
    }
}

void VideoPipe::write(const RgbaImage& frame) {
    if (std::fwrite(frame.pixels.data(), 1, frame.pixels.size(), pipe_) != frame.pixels.size()) {
        const int status = finishFeeding(pipe_);
        pipe_ = nullptr;
        std::error_code ignored;
        std::filesystem::remove(output_, ignored);
        throw std::runtime_error("ffmpeg stopped taking frames (exit status " +
                                 std::to_string(status) + "); its messages, if any, are above");
    }
}

void VideoPipe::finish() {
    const int status = finishFeeding(pipe_);
    pipe_ = nullptr;
    if (status != 0) {
        std::error_code ignored;
        std::filesystem::remove(output_, ignored);
        throw std::runtime_error("ffmpeg failed to write the video (exit status " +
                                 std::to_string(status) + "); its messages, if any, are above");
    }
}
