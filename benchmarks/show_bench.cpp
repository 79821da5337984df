// Start-up and frame costs of the show on the X display it is started on, printed as
// tab-separated rows for scripts/bench to gather into its table.
//
//   show_bench startup        one start-up, from the media library to the first swapped frame
//   show_bench frames [N]     N timed frames of each scene and of an empty frame
//
// Run from the project root (the show reads Data/), with SDL_AUDIODRIVER=dummy on machines
// without sound.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <GL/glew.h>

#include "app/Frame.h"
#include "app/Startup.h"
#include "gfx/DecodedImage.h"
#include "gfx/ImageTexture.h"
#include "gfx/ScreenSpace.h"
#include "procedural/Mt19937.h"
#include "procedural/PermutationTable.h"
#include "scenes/Show.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Times consecutive steps: each mark closes the step that began at the previous one.
class StepTimer {
public:
    void mark(const char* group, const std::string& what) {
        const Clock::time_point now = Clock::now();
        std::printf("startup\t%s\t%s\t%.3f\n", group, what.c_str(),
                    millisecondsBetween(last_, now));
        last_ = now;
    }

private:
    Clock::time_point last_ = Clock::now();
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

    const DrawableSize drawable = drawableSize(platform);
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
        if (image.setSampling) {
            image.setSampling();
        }
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
    const char* name;
    std::uint32_t first; // t of the first and last frame the scene is drawn in
    std::uint32_t last;
};

// Every combination of scenes the timeline draws, with the whole window of t swept so that
// moving parts (the static's offsets, the vane's angle, the scroller) take all their places.
constexpr SceneWindow kSceneWindows[] = {
    {"static", 0, 4999},
    {"banner alone", 5001, 5500},
    {"still life + banner", 5501, 12999},
    {"still life", 13000, 14999},
    {"portrait", 15001, 25000},
    {"wind vane", 25001, 35000},
    {"voyage", 35001, 158188},
};

struct Samples {
    std::vector<double> milliseconds;

    double percentile(double fraction) const {
        std::vector<double> sorted = milliseconds;
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
template <typename Draw> double timedFrame(SDL_Window* window, Draw draw) {
    const Clock::time_point start = Clock::now();
    draw();
    SDL_GL_SwapWindow(window);
    glFinish();
    const double elapsed = millisecondsBetween(start, Clock::now());
    SDL_PumpEvents();
    return elapsed;
}

void measureFrames(int frames) {
    Platform platform;
    openPlatform(platform);
    Show show;
    loadShow(platform.font, drawableSize(platform), show);
    const DrawableSize drawable = drawableSize(platform);

    constexpr std::size_t kScenes = std::size(kSceneWindows);
    std::vector<Samples> scenes(kScenes);
    Samples empty;

    // Rounds interleave the scenes so that a slow spell of the shared machine spreads over
    // all of them instead of falling on one. The first frames of a round are not kept: the
    // driver compiles its code for a new combination of state on first use.
    constexpr int kRounds = 3;
    constexpr int kWarmUp = 5;
    const int perRound = (frames + kRounds - 1) / kRounds;
    for (int round = 0; round < kRounds; ++round) {
        for (int frame = -kWarmUp; frame < perRound; ++frame) {
            const double ms = timedFrame(platform.window, [] {
                glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
                glClear(GL_COLOR_BUFFER_BIT);
            });
            if (frame >= 0) {
                empty.milliseconds.push_back(ms);
            }
        }
        for (std::size_t scene = 0; scene < kScenes; ++scene) {
            for (int frame = -kWarmUp; frame < perRound; ++frame) {
                const int index = std::max(frame, 0) + round * perRound;
                const std::uint32_t t = sweep(kSceneWindows[scene], index, perRound * kRounds);
                const double ms = timedFrame(platform.window, [&] { drawFrame(show, t); });
                if (frame >= 0) {
                    scenes[scene].milliseconds.push_back(ms);
                }
            }
        }
    }

    const auto print = [&](const char* name, const Samples& samples) {
        std::printf("frames\t%dx%d\t%s\t%.3f\t%.3f\t%zu\n", drawable.width, drawable.height, name,
                    samples.percentile(0.5), samples.percentile(0.99), samples.milliseconds.size());
    };
    print("empty (clear + swap)", empty);
    for (std::size_t scene = 0; scene < kScenes; ++scene) {
        print(kSceneWindows[scene].name, scenes[scene]);
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
