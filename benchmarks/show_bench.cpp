// Start-up and frame costs of the show on the X display it is started on, printed as
// tab-separated rows for scripts/bench to gather into its table.
//
//   show_bench startup        one start-up, from the media library to the first swapped frame
//   show_bench frames [N]     N timed frames of each scene and of an empty frame
//
// Run from the project root (the show reads Data/), with SDL_AUDIODRIVER=dummy on machines
// without sound.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <time.h>

#include <GL/glew.h>

#include "app/Frame.h"
#include "app/Startup.h"
#include "app/Timeline.h"
#include "gfx/DecodedImage.h"
#include "gfx/ImageTexture.h"
#include "gfx/ScreenSpace.h"
#include "procedural/Mt19937.h"
#include "procedural/PermutationTable.h"
#include "scenes/Show.h"

namespace {

// Wall time and processor time: on a shared machine the second is the steadier measure of
// the work itself. Frames count the processor time of every thread, the driver's rasteriser
// threads included; start-up steps count only the calling thread's, so that rasterising left
// running by an earlier step is not charged to a decode.
struct Instant {
    double wall;
    double cpu;

    static Instant now(clockid_t cpuClock) {
        timespec wall{};
        timespec cpu{};
        clock_gettime(CLOCK_MONOTONIC, &wall);
        clock_gettime(cpuClock, &cpu);
        return {milliseconds(wall), milliseconds(cpu)};
    }

private:
    static double milliseconds(const timespec& time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
    }
};

struct Span {
    double wall = 0.0;
    double cpu = 0.0;
};

Span between(const Instant& from, const Instant& to) {
    return {to.wall - from.wall, to.cpu - from.cpu};
}

// Times consecutive steps: each mark closes the step that began at the previous one.
class StepTimer {
public:
    void mark(const char* group, const std::string& what) {
        const Instant now = Instant::now(CLOCK_THREAD_CPUTIME_ID);
        const Span step = between(last_, now);
        std::printf("startup\t%s\t%s\t%.3f\t%.3f\n", group, what.c_str(), step.wall, step.cpu);
        last_ = now;
    }

private:
    Instant last_ = Instant::now(CLOCK_THREAD_CPUTIME_ID);
};

// The same steps as the show's start-up, in its order, with a mark after each one; each image
// load is taken apart into the loader's own steps.
void measureStartup() {
    StepTimer timer;
    Platform platform;
    openPlatform(platform);
    timer.mark("floor", "media library, audio, font, music, window, GL context");

    Show show;
    makeTextTextures(platform.font, show);
    timer.mark("own", "text textures (render and upload)");

    const DrawableSize drawable = settledDrawableSize(platform);
    timer.mark("floor", "window settled, drawable size read");
    show.screen = screenForDrawable(drawable.width, drawable.height);
    setViewport(drawable.width, drawable.height);
    const int maxSide = maxTextureSide();
    for (const ShowImage& image : showImages()) {
        DecodedImage decoded = decodeImageRows(image.path, maxSide);
        timer.mark("own", std::string(image.path) + " decode");
        flipRows(decoded);
        timer.mark("own", std::string(image.path) + " flip");
        Texture& texture = show.*image.texture;
        uploadImage(decoded, texture);
        decoded.pixels.reset();
        timer.mark("own", std::string(image.path) + " upload");
        buildMipmaps();
        applySampling(image, texture);
        timer.mark("floor", std::string(image.path) + " mipmap build");
    }

    seedLcg(show.staticRng);
    seedLcg(show.shuffleRng);
    buildPermutationTable(show.permutation, show.shuffleRng);
    setProjection(show.screen);
    timer.mark("own", "generators, permutation table, projection");

    drawFrame(show, SDL_GetTicks());
    SDL_GL_SwapWindow(platform.window);
    glFinish();
    timer.mark("floor", "first frame drawn and swapped");
}

struct SceneWindow {
    std::string name;
    std::uint32_t first; // t of the first and last frame the scenes are drawn in
    std::uint32_t last;
};

bool anySceneAt(std::uint32_t t) {
    const auto timeline = showTimeline();
    return std::any_of(timeline.begin(), timeline.end(),
                       [t](const TimelineScene& scene) { return scene.shownAt(t); });
}

// Every combination of scenes the timeline draws, with the whole window of t swept so that
// moving parts (the static's offsets, the vane's angle, the scroller) take all their places.
std::vector<SceneWindow> sceneWindows() {
    std::vector<std::uint32_t> changes{0}; // the moments at which the scenes drawn can change
    for (const TimelineScene& scene : showTimeline()) {
        changes.push_back(scene.first);
        if (scene.last < kShowLastFrameMs) {
            changes.push_back(scene.last + 1);
        }
    }
    std::sort(changes.begin(), changes.end());
    changes.erase(std::unique(changes.begin(), changes.end()), changes.end());
    std::vector<SceneWindow> windows;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const std::uint32_t last = i + 1 < changes.size() ? changes[i + 1] - 1 : kShowLastFrameMs;
        if (anySceneAt(changes[i])) {
            windows.push_back({sceneNamesAt(changes[i]), changes[i], last});
        }
    }
    return windows;
}

struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;
    double first = 0.0; // the scene's first frame of the run, when the driver compiles for it

    void add(const Span& frame) {
        wall.push_back(frame.wall);
        cpu.push_back(frame.cpu);
    }

    static double percentile(const std::vector<double>& values, double fraction) {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const auto index =
            static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
        return sorted[index];
    }
};

std::uint32_t sweep(const SceneWindow& window, int frame, int frames) {
    const std::uint64_t span = window.last - window.first;
    return window.first +
           static_cast<std::uint32_t>(span * static_cast<std::uint64_t>(frame) /
                                      static_cast<std::uint64_t>(std::max(frames - 1, 1)));
}

// Drawing and the swap are both inside the time, and glFinish makes sure the rasteriser has
// really finished the frame before the clock is read.
template <typename Draw> Span timedFrame(SDL_Window* window, Draw draw) {
    const Instant start = Instant::now(CLOCK_PROCESS_CPUTIME_ID);
    draw();
    SDL_GL_SwapWindow(window);
    glFinish();
    const Span frame = between(start, Instant::now(CLOCK_PROCESS_CPUTIME_ID));
    SDL_PumpEvents();
    return frame;
}

void measureFrames(int frames) {
    Platform platform;
    openPlatform(platform);
    Show show;
    loadShow(platform.font, drawableSize(platform), show);
    const DrawableSize drawable = drawableSize(platform);
    std::printf("renderer\t%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    const std::vector<SceneWindow> windows = sceneWindows();
    std::vector<Samples> scenes(windows.size());
    Samples empty;

    // Rounds interleave the scenes so that a slow spell of the shared machine spreads over
    // all of them instead of falling on one. The first frames of a round are not kept: the
    // driver compiles its code for a new combination of state on first use.
    constexpr int kRounds = 3;
    constexpr int kWarmUp = 5;
    const int perRound = (frames + kRounds - 1) / kRounds;
    for (int round = 0; round < kRounds; ++round) {
        for (int frame = -kWarmUp; frame < perRound; ++frame) {
            const Span span = timedFrame(platform.window, [] {
                glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
                glClear(GL_COLOR_BUFFER_BIT);
            });
            if (frame >= 0) {
                empty.add(span);
            } else if (round == 0 && frame == -kWarmUp) {
                empty.first = span.wall;
            }
        }
        for (std::size_t scene = 0; scene < windows.size(); ++scene) {
            for (int frame = -kWarmUp; frame < perRound; ++frame) {
                const int index = std::max(frame, 0) + round * perRound;
                const std::uint32_t t = sweep(windows[scene], index, perRound * kRounds);
                const Span span = timedFrame(platform.window, [&] { drawFrame(show, t); });
                if (frame >= 0) {
                    scenes[scene].add(span);
                } else if (round == 0 && frame == -kWarmUp) {
                    scenes[scene].first = span.wall;
                }
            }
        }
    }

    const auto print = [&](const char* name, const Samples& samples) {
        std::printf("frames\t%dx%d\t%s\t%.3f\t%.3f\t%.3f\t%.3f\t%zu\n", drawable.width,
                    drawable.height, name, Samples::percentile(samples.wall, 0.5),
                    Samples::percentile(samples.wall, 0.99), samples.first,
                    Samples::percentile(samples.cpu, 0.5), samples.wall.size());
    };
    print("empty (clear + swap)", empty);
    for (std::size_t scene = 0; scene < windows.size(); ++scene) {
        print(windows[scene].name.c_str(), scenes[scene]);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "startup") {
            measureStartup();
        } else if (mode == "frames") {
            measureFrames(argc > 2 ? std::atoi(argv[2]) : 300);
        } else {
            std::fputs("usage: show_bench startup | frames [count]\n", stderr);
            return 2;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "show_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
