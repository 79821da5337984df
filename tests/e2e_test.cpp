#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/Process.h"
#include "support/TestData.h"

using namespace std::chrono_literals;

namespace {

constexpr char kTitle[] = "Selkavo Tornuva";

// The show started from a folder holding Data/, on a private X server of its own size.
// The test data has no music, so every run here also proves that a missing track plays silent.
class ShowRun {
public:
    ShowRun(const TestDataDir& data, int screenWidth, int screenHeight)
        : display_(screenWidth, screenHeight), errors_(data.root() / "stderr.txt"),
          show_({TORNUVA_PROGRAM}, {"DISPLAY=" + display_.name(), "SDL_AUDIODRIVER=dummy"},
                data.root(), errors_) {}

    const VirtualDisplay& display() const { return display_; }
    ChildProcess& process() { return show_; }
    std::string errors() const { return readFile(errors_); }

    std::string xdotool(const std::string& arguments) const {
        return commandOutput("DISPLAY=" + display_.name() + " xdotool " + arguments +
                             " 2>/dev/null");
    }

private:
    VirtualDisplay display_;
    std::filesystem::path errors_;
    ChildProcess show_;
};

TEST(EndToEnd, OpensFullScreenAndEscapeEndsIt) {
    const TestDataDir data;
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1280, 720}}) {
        ShowRun run(data, width, height);
        const unsigned long window = waitForWindow(run.display(), kTitle, 20s);
        ASSERT_NE(window, 0u) << run.errors();
        EXPECT_EQ(windowSize(run.display(), window), (WindowSize{width, height}));

        // Frames reach the screen: every scene puts something other than black at the centre.
        // On a busy machine the first frame may take a while, and may come after the static.
        const std::array<int, 3> black = {0, 0, 0};
        const std::array<int, 3> staticGrey = {128, 128, 128};
        const auto deadline = std::chrono::steady_clock::now() + 15s;
        std::array<int, 3> centre = black;
        while (centre == black && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(100ms);
            centre = screenPixel(run.display(), width / 2, height / 2);
        }
        EXPECT_NE(centre, black) << "nothing drawn";
        if (centre == staticGrey) {
            // The opening static, drawn from the test's flat grey noise, fills the screen.
            for (const auto& [x, y] : {std::pair{1, 1}, std::pair{width - 2, height - 2}}) {
                EXPECT_EQ(screenPixel(run.display(), x, y), staticGrey) << x << ", " << y;
            }
        }
        EXPECT_EQ(run.process().waitFor(0ms), std::nullopt) << "still running before Escape";
        run.xdotool("key Escape");
        EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(0)) << run.errors();
        EXPECT_EQ(run.errors(), "");
    }
}

TEST(EndToEnd, ClosingTheWindowEndsIt) {
    const TestDataDir data;
    ShowRun run(data, 800, 600);
    const unsigned long window = waitForWindow(run.display(), kTitle, 20s);
    ASSERT_NE(window, 0u) << run.errors();
    std::this_thread::sleep_for(500ms);
    requestClose(run.display(), window);
    EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(0)) << run.errors();
}

TEST(EndToEnd, AMissingImageIsReportedAndEndsWithFailure) {
    const TestDataDir data;
    std::filesystem::remove(data.data("noise.png"));
    ShowRun run(data, 800, 600);
    const std::string message = "Unable to decode image file: Data/noise.png\n";

    // The error box waits for the user; dismiss it as they would.
    const unsigned long box = waitForWindow(run.display(), "Error", 20s);
    ASSERT_NE(box, 0u) << run.errors() << "no box; SDL draws it with X core fonts (xfonts-base)";
    EXPECT_EQ(run.errors(), message);
    EXPECT_EQ(run.process().waitFor(300ms), std::nullopt) << "waits for the box to be dismissed";
    requestClose(run.display(), box);
    const std::optional<int> status = run.process().waitFor(10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    EXPECT_GT(*status, 0) << "ended by its handler, not by a signal";
}

TEST(EndToEnd, AMissingFontIsReportedWithItsPath) {
    const TestDataDir data;
    std::filesystem::remove(data.data("VeraMoBd.ttf"));
    ShowRun run(data, 800, 600);
    const unsigned long box = waitForWindow(run.display(), "Error", 20s);
    ASSERT_NE(box, 0u) << run.errors();
    EXPECT_EQ(run.errors().rfind("Unable to open font file: Data/VeraMoBd.ttf: ", 0), 0u)
        << run.errors();
    requestClose(run.display(), box);
    EXPECT_EQ(run.process().waitFor(10s), std::optional<int>(1));
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

// The whole show, about 158 seconds: it ends by itself with status 0.
TEST(EndToEndFullLength, EndsByItselfAfterTheLastFrame) {
    const TestDataDir data;
    ShowRun run(data, 640, 360);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_NE(waitForWindow(run.display(), kTitle, 20s), 0u) << run.errors();
    EXPECT_EQ(run.process().waitFor(158s), std::nullopt) << "ended early";
    EXPECT_EQ(run.process().waitFor(30s), std::optional<int>(0)) << run.errors();
    EXPECT_GE(std::chrono::steady_clock::now() - started, 158189ms);
}

} // namespace
