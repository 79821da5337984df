#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "CaptureSystem.h"
#include "Image.h"
#include "OffscreenShow.h"
#include "Options.h"
#include "Outputs.h"
#include "Progress.h"
#include "Schedule.h"
#include "Sheet.h"
#include "ToolOptions.h"
#include "VideoPipe.h"
#include "app/Startup.h"

namespace {

std::uint64_t frameCount(const Options& options) {
    return options.to ? framesBefore(options.from, *options.to, options.fps)
                      : framesToShowEnd(options.from, options.fps);
}

void captureStill(const Options& options) {
    checkWritableFile(options.output);
    OffscreenShow show(options.width, options.height);
    RgbaImage frame;
    show.renderAlone(options.at, options.fps, frame);
    writePng(options.output, frame);
}

// Every frame of the range, in order, handed to `take` with its index.
template <typename Take> void captureRange(const Options& options, OffscreenShow& show, Take take) {
    const std::uint64_t frames = frameCount(options);
    Progress progress(frames, stderr);
    RgbaImage frame;
    for (std::uint64_t i = 0; i < frames; ++i) {
        const std::uint32_t t = frameTime(options.from, options.fps, i);
        if (i == 0) {
            show.renderAlone(t, options.fps, frame);
        } else {
            show.render(t, frame);
        }
        take(i, frame);
        progress.update(i + 1);
    }
    progress.finish();
}

void captureVideo(const Options& options) {
    checkWritableFile(options.output);
    const std::string ffmpeg = requireFfmpeg();
    VideoJob job;
    job.output = options.output;
    job.width = options.width;
    job.height = options.height;
    job.fps = options.fps;
    job.frames = frameCount(options);
    job.crf = options.crf;
    job.preset = options.preset;
    job.placement = musicPlacement(options.from);
    if (std::filesystem::is_regular_file(kMusicPath)) {
        job.music = kMusicPath;
    } else {
        std::fprintf(stderr, "tornuva-capture: %s is missing: the sound track is silent\n",
                     kMusicPath);
    }
    OffscreenShow show(options.width, options.height);
    VideoPipe video(ffmpeg, job);
    captureRange(options, show, [&](std::uint64_t, const RgbaImage& frame) { video.write(frame); });
    video.finish();
}

void captureFrames(const Options& options) {
    prepareDirectory(options.output);
    OffscreenShow show(options.width, options.height);
    captureRange(options, show, [&](std::uint64_t i, const RgbaImage& frame) {
        writePng(framePath(options.output, i), frame);
    });
}

void captureSheet(const Options& options) {
    checkWritableFile(options.output);
    const std::vector<std::uint32_t> times =
        sheetTimes(options.from, options.to.value_or(kShowLastFrameMs), options.everyMs);
    OffscreenShow show(options.width, options.height);
    const int labelPoints = std::max(8, options.thumbWidth / 20);
    const int labelHeight = show.renderLabel("0", labelPoints).height;
    const SheetLayout layout = layoutSheet(times.size(), options.columns, options.thumbWidth,
                                           options.width, options.height, labelHeight);
    RgbaImage sheet(layout.width, layout.height);
    const std::uint8_t background[4] = {24, 24, 24, 255};
    fill(sheet, 0, 0, sheet.width, sheet.height, background);

    Progress progress(times.size(), stderr);
    RgbaImage frame;
    for (std::size_t i = 0; i < times.size(); ++i) {
        // Each thumbnail is the frame a capture from 0 at --fps shows at that time.
        show.renderAlone(times[i], options.fps, frame);
        paste(sheet, resize(frame, layout.thumbWidth, layout.thumbHeight), layout.thumbX(i),
              layout.thumbY(i));
        paste(sheet, show.renderLabel(timeLabel(times[i]), labelPoints), layout.thumbX(i),
              layout.labelY(i));
        progress.update(i + 1);
    }
    progress.finish();
    writePng(options.output, sheet);
}

} // namespace

int main(int argc, char** argv) {
    // A dead ffmpeg must surface as a failed write, not end the process silently.
    ignoreBrokenPipes();
    ToolOptions common;
    Options options;
    try {
        common = takeToolOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (common.version) {
            std::puts(versionText("tornuva-capture").c_str());
            return 0;
        }
        options = parseOptions(common.rest);
    } catch (const std::exception& error) {
        printToolError("tornuva-capture", error);
        return 2;
    }
    try {
        if (common.dataFolder && options.mode != Mode::Help) {
            // The output stays where the user started the capture.
            options.output = std::filesystem::absolute(options.output).string();
            enterDataFolder(*common.dataFolder);
        }
        switch (options.mode) {
        case Mode::Help:
            std::fputs(usageText().c_str(), stdout);
            break;
        case Mode::Still:
            captureStill(options);
            break;
        case Mode::Video:
            captureVideo(options);
            break;
        case Mode::Frames:
            captureFrames(options);
            break;
        case Mode::Sheet:
            captureSheet(options);
            break;
        }
    } catch (const std::exception& error) {
        printToolError("tornuva-capture", error);
        return 1;
    }
    return 0;
}
