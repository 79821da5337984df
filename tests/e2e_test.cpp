#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/Process.h"
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

// The whole show on a clock running 25 times as fast: it ends by itself, with status 0, in
// the first frame after its last millisecond. Its music cannot be played, so it runs silent.
TEST(EndToEndFullLength, EndsByItselfAfterTheLastFrame) {
    const TestDataDir data;
    writeBytes(data.data("bossanova.ogg"), "OggS" + std::string(5000, '\x5A'));
    const std::filesystem::path log = data.root() / "clock.txt";
    ProgramRun run(
        TORNUVA_PROGRAM, data.root(), 640, 360,
        {"LD_PRELOAD=" FAST_CLOCK, "TORNUVA_CLOCK_FACTOR=25", "TORNUVA_CLOCK_LOG=" + log.string()});
    ASSERT_NE(waitForWindow(run.display(), kTitle, 20s), 0u) << run.errors();
    EXPECT_EQ(run.process().waitFor(60s), std::optional<int>(0)) << run.errors();
    EXPECT_EQ(run.errors(), "");
    std::uint32_t previous = 0;
    std::uint32_t last = 0;
    std::ifstream(log) >> previous >> last;
    EXPECT_LE(previous, 158188u) << "the frame before the last is still in the show";
    EXPECT_GT(last, 158188u) << "the last frame is the first after the show";
}

} // namespace
