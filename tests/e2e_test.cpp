#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/Process.h"
#include "support/Sound.h"
#include "support/TestData.h"

// The real program as a user runs it, each run on a private X server with a window manager.
// The test data has no music, so every run here also proves that a missing track plays silent.

using namespace std::chrono_literals;

namespace {

constexpr char kTitle[] = "Selkavo Tornuva";

// What the program does reaches the X server a moment later: the window manager's resize, the
// first frame. Polls until `holds` is true or the time is up.
template <class Condition> void waitUntil(Condition holds, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!holds() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(100ms);
    }
}

TEST(EndToEnd, OpensFullScreenAndEscapeEndsIt) {
    const TestDataDir data;
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1280, 720}}) {
        ProgramRun run(TORNUVA_PROGRAM, data.root(), width, height);
        const unsigned long window = waitForWindow(run.display(), kTitle, 20s);
        ASSERT_NE(window, 0u) << run.errors();
        const WindowSize screen{width, height};
        waitUntil([&] { return windowSize(run.display(), window) == screen; }, 10s);
        EXPECT_EQ(windowSize(run.display(), window), screen);

        // Frames reach the screen: the opening static, drawn from the test's flat grey noise,
        // fills it. On a busy machine the first frame may take a while.
        const std::array<int, 3> staticGrey = {128, 128, 128};
        waitUntil([&] { return screenPixel(run.display(), width / 2, height / 2) == staticGrey; },
                  15s);
        for (const auto& [x, y] : {std::pair{1, 1}, std::pair{width - 2, height - 2}}) {
            EXPECT_EQ(screenPixel(run.display(), x, y), staticGrey) << x << ", " << y;
        }
        EXPECT_EQ(run.process().waitFor(0ms), std::nullopt) << "still running before Escape";
        run.key("Escape");
        EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(0)) << run.errors();
        EXPECT_EQ(run.errors(), "");
    }
}

// The portrait, still from 15 to 25 s, is on screen as the capture draws it at the screen's
// size: the show is drawn for the window it has, to the pixel.
TEST(EndToEnd, ThePortraitOnScreenIsTheCapturesFrame) {
    const TestDataDir data;
    std::filesystem::copy_file("Data/haircut.jpg", data.data("haircut.jpg"),
                               std::filesystem::copy_options::overwrite_existing);
    ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360);
    ASSERT_NE(waitForWindow(run.display(), kTitle, 20s), 0u) << run.errors();
    std::this_thread::sleep_for(19s); // the show's clock started a little before its window
    const std::string rgb = " -frames:v 1 -f rawvideo -pix_fmt rgb24 -";
    const std::string shown =
        commandOutput("ffmpeg -v error -f x11grab -draw_mouse 0 -i " + run.display().name() + rgb);
    run.key("Escape");
    EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(0)) << run.errors();
    const std::string capture = TORNUVA_CAPTURE " --at 20000 --size 640x360 -o portrait.png";
    const std::string expected = commandOutput("cd " + data.root().string() + " && " + capture +
                                               " && ffmpeg -v error -i portrait.png" + rgb);
    EXPECT_EQ(shown.size(), 640u * 360 * 3);
    EXPECT_TRUE(shown == expected) << "the screen differs from the capture";
}

// The window manager's close button, an interrupt and a termination request all end the show
// as a quit request does: the frame completes, the textures are released, status 0.
TEST(EndToEnd, ClosingTheWindowInterruptAndTerminateEndIt) {
    const TestDataDir data;
    for (const int signal : {0, SIGINT, SIGTERM}) {
        ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360);
        const unsigned long window = waitForWindow(run.display(), kTitle, 20s);
        ASSERT_NE(window, 0u) << run.errors();
        std::this_thread::sleep_for(500ms);
        if (signal == 0) {
            requestClose(run.display(), window);
        } else {
            ASSERT_EQ(kill(run.process().pid(), signal), 0);
        }
        EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(0)) << "signal " << signal;
        EXPECT_EQ(run.errors(), "") << "signal " << signal;
    }
}

// With no display to show a box on, standard error alone tells the user what is missing.
TEST(EndToEnd, WithoutAnXDisplayItSaysWhatItNeeds) {
    const TestDataDir data;
    const std::filesystem::path errors = data.root() / "stderr.txt";
    ChildProcess show({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", TORNUVA_PROGRAM},
                      {"SDL_AUDIODRIVER=dummy"}, data.root(), errors);
    EXPECT_EQ(show.waitFor(30s), std::optional<int>(1));
    const std::string said = readFile(errors);
    EXPECT_NE(said.find("Error initing glew: "), said.npos) << said;
    EXPECT_NE(said.find("DISPLAY not set).\nThe show needs an X display"), said.npos) << said;
}

// The whole show with its sound on SDL's disk audio driver, resting 3 ms after each chunk, its
// clock the length of the sound written (SoundClock.cpp): about 25 times as fast as a device,
// with the recording's frame origin + n at the show's moment n / 44.1 ms. It ends by itself,
// with status 0, in the first frame after its last millisecond. Until the first chunk mixed
// after the frame that passes 3000 ms the recording is silent; from there it is the track from
// its first frame, again from its start after each pass, up to the show's end. A capture is an
// H.264 video of its size, rate and length, whose sound, in the track's first pass and in its
// second, is the recording's at the same moment, but for the part of a chunk by which the
// show's start trails the capture's 3001 ms.
TEST(EndToEndFullLength, PlaysTheLoopingMusicFrom3sAndEndsAfterTheLastFrame) {
    const TestDataDir data;
    std::filesystem::copy_file("Data/bossanova.ogg", data.data("bossanova.ogg"));
    const std::filesystem::path log = data.root() / "clock.txt";
    const std::filesystem::path recording = data.root() / "sound.raw";
    ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360,
                   {"LD_PRELOAD=" SOUND_CLOCK, "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=3",
                    "SDL_DISKAUDIOFILE=" + recording.string(),
                    "TORNUVA_CLOCK_LOG=" + log.string()});
    ASSERT_NE(waitForWindow(run.display(), kTitle, 20s), 0u) << run.errors();
    EXPECT_EQ(run.process().waitFor(60s), std::optional<int>(0)) << run.errors();
    EXPECT_EQ(run.errors(), diskAudioNotice(recording));
    std::ifstream readings(log);
    std::size_t origin = 0;
    readings >> origin;
    const std::vector<std::uint32_t> frames{std::istream_iterator<std::uint32_t>(readings), {}};
    ASSERT_GE(frames.size(), 2u);
    EXPECT_LE(frames.end()[-2], 158188u) << "the frame before the last is still in the show";
    EXPECT_GT(frames.back(), 158188u) << "the last frame is the first after the show";

    const Sound sound = rawSound(readFile(recording));
    const Sound track = decodeOggVorbis("Data/bossanova.ogg");
    ASSERT_GT(sound.frames(), origin + framesForMs(158188));
    // The first frame after 3000 ms starts the music in the chunk after the one being mixed.
    const std::size_t due = origin + framesForMs(*std::find_if(frames.begin(), frames.end(),
                                                               [](auto t) { return t > 3000; }));
    const Alignment start = align(sound, due + kChunkFrames, kChunkFrames, track, 0);
    EXPECT_EQ(soundSpans(sound), (std::vector<Span>{{start.at, sound.frames()}}))
        << "silence, then the music to the end";
    EXPECT_EQ(start.at % kChunkFrames, 0u);
    EXPECT_GE(start.at, due);
    EXPECT_LE(start.at, due + kChunkFrames + framesForMs(1));
    EXPECT_GT(start.correlation, 0.999);
    std::printf("music from the show's frame %zu, its frame %zu after 3000 ms: %.4f\n",
                start.at - origin, start.at - origin - framesForMs(3000), start.correlation);
    for (std::size_t pass = start.at + track.frames(); pass < sound.frames();
         pass += track.frames()) {
        const Alignment again = align(sound, pass, kChunkFrames, track, 0);
        EXPECT_EQ(again.at, pass);
        EXPECT_GT(again.correlation, 0.999) << pass;
    }

    const std::string video = (data.root() / "capture.mp4").string();
    ChildProcess capture({TORNUVA_CAPTURE, "-o", video, "--from", "2000", "--to", "36000", "--fps",
                          "1", "--size", "64x36"},
                         {}, TORNUVA_SOURCE_DIR);
    ASSERT_EQ(capture.waitFor(60s), std::optional<int>(0));
    const std::string probe =
        commandOutput("ffprobe -v error -of default=nw=1 -show_entries "
                      "stream=codec_name,width,height,r_frame_rate,sample_rate:format=duration " +
                      video);
    for (const char* expected : {"codec_name=h264\n", "width=64\n", "height=36\n",
                                 "r_frame_rate=1/1\n", "sample_rate=44100\n", "duration=34.0"}) {
        EXPECT_NE(probe.find(expected), probe.npos) << expected << " in\n" << probe;
    }
    const Sound captured = rawSound(commandOutput("ffmpeg -v error -i " + video + " -f s16le -"));
    for (const std::size_t t : {3500u, 35500u}) {
        const std::size_t moment = start.at + framesForMs(t) - framesForMs(3001);
        const Alignment same = align(sound, moment, kChunkFrames, captured, framesForMs(t - 2000));
        EXPECT_EQ(same.at, moment) << t;
        EXPECT_GT(same.correlation, 0.98) << t;
    }
}

} // namespace
