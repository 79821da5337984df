#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "CaptureRun.h"
#include "ImageCompare.h"
#include "support/Process.h"
#include "support/Sound.h"
#include "support/TestData.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// Presses the keys, then waits for the title they lead to, if any.
bool pressKeys(const VirtualDisplay& display, const std::string& keys, const std::string& title,
               std::chrono::seconds timeout = 20s) {
    commandOutput("DISPLAY=" + display.name() + " xdotool key " + keys + " 2>/dev/null");
    return title.empty() || waitForWindow(display, "Tornuva preview " + title, timeout) != 0;
}

// A copy of Data/ in a fresh folder, with an empty folder beside it for saved frames.
fs::path copyOfData(const std::string& name) {
    const fs::path root = freshOutput(name);
    fs::create_directories(root / "saves");
    fs::copy("Data", root / "Data", fs::copy_options::recursive);
    return root;
}

// The window's rows below the frame, the strip's.
constexpr int kStripHeight = 64;

// The preview of a copy of Data/, started in another folder, its window filling a private X
// server of its own size, the strip below a frame that on screen is the saved one. Going back from
// the still life shows neither the blend function the still life left (the banner alone replaces
// what is under it) nor a static of the preview's own; the static then fills the screen with
// noise.png, reloaded by R alone (--no-watch). Its sound goes through SDL's disk audio driver at a
// device's pace, with the clock the length of the sound written (SoundClock.cpp), so that the
// recording and the transport keep the same time: played from 12.016 s the track starts 9.015 s in;
// a second's seek moves it a second on; a pause is silence, and after it the track carries on where
// it stopped.
TEST(PreviewProgram, SavesTheCapturesFramesReloadsOnlyWhatLoadsAndPlaysTheMusicAlong) {
    const fs::path root = copyOfData("preview-root");
    const fs::path saves = root / "saves";
    const VirtualDisplay display(320, 180 + kStripHeight);
    const fs::path recording = root / "sound.raw";
    ChildProcess preview({TORNUVA_PREVIEW, "--paused", "--from", "12000", "--window", "320x180",
                          "--data", root.string(), "--no-watch"},
                         {"DISPLAY=" + display.name(), "LD_PRELOAD=" SOUND_CLOCK,
                          "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + recording.string()},
                         saves, root / "errors.txt");
    const auto press = [&display](const std::string& keys, const std::string& title) {
        return pressKeys(display, keys, title);
    };
    ASSERT_TRUE(press("", "0:12.000 still life + banner paused"));
    for (const auto& [keys, shown, ms] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"s", "0:12.000 still life + banner", "012000"},
             {"shift+Left Right Right Right period s", "0:05.016 banner", "005016"},
             {"Left Left Left s", "0:02.016 static", "002016"}}) {
        const fs::path saved = saves / ("tornuva-" + ms + ".png");
        ASSERT_TRUE(press(keys, shown + " paused - saved " + saved.filename().string()));
        const std::string captured = freshOutput("preview-capture.png");
        ASSERT_EQ(runCapture({"--at", ms, "--size", "320x180", "-o", captured}).status, 0);
        for (const RgbaImage& frame : {loadPng(saved), screenImage(display, 0, 0, 320, 180)}) {
            const ImageDifference difference = compareImages(loadPng(captured), frame, 0);
            EXPECT_EQ(difference.differing, 0u) << ms << ": largest " << difference.largest;
        }
    }

    const std::array<int, 3> blue = {20, 40, 220};
    writeFlatImage(root / "Data/noise.png", 8, 8, 4, {20, 40, 220, 255});
    ASSERT_TRUE(press("r", "0:02.016 static paused - reloaded Data/"));
    EXPECT_EQ(screenPixel(display, 160, 90), blue);

    writeBytes(root / "Data/noise.png", "not a picture");
    const std::string message = "Unable to decode image file: Data/noise.png";
    ASSERT_TRUE(press("r", "0:02.016 static paused - " + message)) << readFile(root / "errors.txt");
    EXPECT_EQ(readFile(root / "errors.txt"), diskAudioNotice(recording) + message + "\n");
    EXPECT_EQ(screenPixel(display, 160, 90), blue);
    // Each state lasts 700 ms of the preview's own time, the recording's length, however slowly a
    // busy machine lets the device run.
    const auto recorded = [&recording] { return fs::file_size(recording) / kBytesPerFrame; };
    for (const char* key : {"shift+Right", "space", "Right", "space", "space"}) {
        const std::size_t until = recorded() + framesForMs(700);
        press(key, "");
        for (int tries = 0; recorded() < until && tries < 1000; ++tries) {
            std::this_thread::sleep_for(20ms);
        }
    }
    press("Escape", "");
    EXPECT_EQ(preview.waitFor(10s), std::optional<int>(0));

    const Sound sound = rawSound(readFile(recording));
    const Sound track = decodeOggVorbis("Data/bossanova.ogg");
    const std::vector<Span> spans = soundSpans(sound);
    ASSERT_EQ(spans.size(), 2u) << "sound, a pause, sound";
    EXPECT_GT(spans[1].from - spans[0].to, framesForMs(500)) << "silent while paused";
    // After the seek, the track's frame less the recording's.
    const std::size_t sought = framesForMs(10015) - spans[0].from;
    const std::size_t beforePause = spans[0].to - framesForMs(200);
    // The transport counts whole milliseconds, so the track may sit up to one either side of the
    // frame: what is compared starts inside the sound, never on the silence before it.
    const std::size_t inside = framesForMs(10);
    for (const auto& [frame, trackFrame] :
         {std::pair{spans[0].from + inside, framesForMs(9015) + inside},
          std::pair{beforePause, sought + beforePause},
          std::pair{spans[1].from + inside, sought + spans[0].to + inside}}) {
        const Alignment found = align(sound, frame, kChunkFrames, track, trackFrame);
        EXPECT_NEAR(double(found.at), double(frame), double(framesForMs(2))) << frame;
        EXPECT_GT(found.correlation, 0.999) << frame;
    }
}

// The paused static fills the screen with noise.png, so the saved frame's centre is its
// colour. A picture written beside and renamed over is shown without a key; a truncated one
// keeps the pictures there were and says why, and the whole one written after it is shown.
// A click in the strip moves to the moment under the pointer, and so does a drag, to where the
// button comes up, however the pointer moves after; a frame back from there shows that the
// pointer's moves were all taken.
TEST(PreviewProgram, FollowsDataAsItsFilesAreWrittenAndTheStripsPointer) {
    const fs::path root = copyOfData("preview-follows");
    const VirtualDisplay display(320, 180 + kStripHeight);
    ChildProcess preview({TORNUVA_PREVIEW, "--paused", "--from", "2016", "--window", "320x180",
                          "--data", root.string()},
                         {"DISPLAY=" + display.name()}, root / "saves", root / "errors.txt");
    const std::string moment = "0:02.016 static paused - ";
    const auto savedCentre = [&] {
        EXPECT_TRUE(pressKeys(display, "s", moment + "saved tornuva-002016.png"));
        RgbaImage saved = loadPng((root / "saves/tornuva-002016.png").string());
        const std::uint8_t* centre = saved.at(160, 90);
        return std::array<int, 3>{centre[0], centre[1], centre[2]};
    };
    ASSERT_TRUE(pressKeys(display, "", "0:02.016 static paused"));
    const fs::path noise = root / "Data/noise.png";
    const fs::path beside = root / "Data/noise.png.part";
    writeFlatImage(beside, 8, 8, 4, {20, 40, 220, 255});
    fs::rename(beside, noise);
    ASSERT_TRUE(pressKeys(display, "", moment + "reloaded Data/")) << readFile(root / "errors.txt");
    EXPECT_EQ(savedCentre(), (std::array<int, 3>{20, 40, 220}));

    writeFlatImage(beside, 8, 8, 4, {220, 40, 20, 255});
    const std::string whole = readFile(beside);
    writeBytes(noise, whole.substr(0, whole.size() / 2));
    EXPECT_TRUE(pressKeys(display, "", moment + "Unable to decode image file: Data/noise.png"));
    writeBytes(noise, whole);
    ASSERT_TRUE(pressKeys(display, "", moment + "reloaded Data/")) << readFile(root / "errors.txt");
    EXPECT_EQ(savedCentre(), (std::array<int, 3>{220, 40, 20}));

    for (const auto& [pointer, keys, shown] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"mousemove 100 220 click 1", "comma", "0:49.583 voyage"},
             {"mousemove 319 200 mousedown 1", "", "2:38.189 voyage"},
             {"mousemove 150 230", "", "1:14.384 voyage"},
             {"mouseup 1 mousemove 250 230", "comma", "1:14.383 voyage"}}) {
        commandOutput("DISPLAY=" + display.name() + " xdotool " + pointer);
        EXPECT_TRUE(pressKeys(display, keys, shown + " paused"))
            << pointer << ": "
            << commandOutput("DISPLAY=" + display.name() +
                             " xdotool search --name Tornuva getwindowname");
    }
    pressKeys(display, "Escape", "");
    EXPECT_EQ(preview.waitFor(10s), std::optional<int>(0));
}

// A copy of the source tree and a build tree made for it, the drawing module built there.
fs::path buildTreeOfACopy(const fs::path& root) {
    fs::create_directories(root / "src");
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name != "Data" && name != "dist" && name[0] != '.' && name.rfind("build", 0) != 0) {
            fs::copy(entry.path(), root / "src" / name, fs::copy_options::recursive);
        }
    }
    const std::string build = (root / "build").string();
    commandOutput("cmake -S " + (root / "src").string() + " -B " + build +
                  " -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build " + build +
                  " --target tornuva-drawing --parallel 2 >/dev/null");
    return build;
}

// --live on a copy of the sources: a one-line change of the wind vane's sea shows at the paused
// moment; a save made while a build runs is built next, so that the last one saved is drawn; a
// syntax error leaves the frame as it was, names its file and line in the title and the
// compiler's words (in plain ASCII: LC_ALL=C) on standard error; a build against a Show whose
// members come in another order, of the same size, is refused.
TEST(PreviewProgram, LiveDrawsEachBuildOfTheScenesSourcesAtTheSameMoment) {
    const fs::path root = copyOfData("preview-live");
    const fs::path build = buildTreeOfACopy(root);
    ASSERT_TRUE(fs::exists(build / "tornuva-drawing.so"));
    const VirtualDisplay display(320, 180);
    ChildProcess preview(
        {TORNUVA_PREVIEW, "--live", "--build-dir", build.string(), "--paused", "--from", "30000",
         "--window", "320x180", "--data", root.string(), "--no-strip"},
        {"DISPLAY=" + display.name(), "LC_ALL=C"}, root / "saves", root / "errors.txt");
    const std::string moment = "0:30.000 wind vane paused - ";
    const auto awaitBuild = [&](const std::string& notice) {
        return pressKeys(display, "", moment + notice, 120s);
    };
    const fs::path saved = root / "saves/tornuva-030000.png";
    const auto save = [&] {
        EXPECT_TRUE(pressKeys(display, "s", moment + "saved tornuva-030000.png"));
        RgbaImage image = loadPng(saved.string());
        fs::remove(saved);
        return image;
    };
    ASSERT_TRUE(awaitBuild("live build 1")) << readFile(root / "errors.txt");
    const RgbaImage first = save();

    const fs::path scene = root / "src/scenes/WindVaneScene.cpp";
    const std::string source = readFile(scene);
    const std::size_t line = source.find("    setColour(kSea);");
    ASSERT_NE(line, std::string::npos);
    const auto edit = [&](const std::string& replacement) {
        writeBytes(scene, source.substr(0, line) + replacement + source.substr(line + 20));
    };
    edit("    setColour(kWhite);");
    ASSERT_TRUE(awaitBuild("live build 2")) << readFile(root / "errors.txt");
    const RgbaImage white = save();
    EXPECT_EQ(std::vector<int>(white.at(2, 2), white.at(2, 2) + 3), std::vector<int>(3, 255));

    // Every scene reads the palette, so its build lasts long enough to save the sea back meanwhile.
    const fs::path palette = root / "src/scenes/Palette.h";
    writeBytes(palette, readFile(palette) + "\n");
    ASSERT_TRUE(awaitBuild("building"));
    edit("    setColour(kSea);");
    ASSERT_TRUE(awaitBuild("live build 4")) << readFile(root / "errors.txt");
    EXPECT_EQ(compareImages(first, save(), 0).differing, 0u);

    edit("    setColour(kSea;");
    const std::string lineNumber =
        std::to_string(std::count(source.begin(), source.begin() + line, '\n') + 1);
    ASSERT_TRUE(
        awaitBuild("scenes/WindVaneScene.cpp:" + lineNumber + ": expected ')' before ';' token"));
    EXPECT_NE(readFile(root / "errors.txt").find("WindVaneScene.cpp:" + lineNumber),
              std::string::npos);
    EXPECT_EQ(compareImages(first, save(), 0).differing, 0u) << "still drawing with build 4";

    const fs::path show = root / "src/scenes/Show.h";
    std::string members = readFile(show);
    const std::size_t screen = members.find("    Screen screen;\n");
    ASSERT_NE(screen, std::string::npos);
    members.erase(screen, 19);
    writeBytes(show, members.insert(members.find("{\n") + 2, "    Screen screen;\n"));
    edit("    setColour(kSea);");
    EXPECT_TRUE(awaitBuild("the show's own data changed: restart the preview to draw it"));
    EXPECT_EQ(compareImages(first, save(), 0).differing, 0u);
    pressKeys(display, "Escape", "");
    EXPECT_EQ(preview.waitFor(10s), std::optional<int>(0));
}

TEST(PreviewProgram, BadOptionsSayWhyAndEndWithStatus2) {
    const fs::path errors = freshOutput("preview-options.txt");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--from", "x"}, "--from takes a whole number, not 'x'"},
        {{"--window", "640"}, "--window takes WIDTHxHEIGHT"},
        {{"--loop", "5000"}, "--loop takes START:END"},
        {{"--loop", "5000:3000"}, "--loop 5000:3000: the end must come after the start"},
        {{"--paused=yes"}, "--paused takes no value"},
        {{"--speed", "2"}, "unknown option '--speed'"},
        {{"--build-dir", "."}, "--build-dir names the tree --live builds in; it needs --live"},
        {{"--live", "--build-dir", "/"}, "--build-dir /: not a build tree"},
    };
    for (const auto& [args, says] : cases) {
        std::vector<std::string> argv = {TORNUVA_PREVIEW};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess preview(argv, {}, ".", errors);
        EXPECT_EQ(preview.waitFor(10s), std::optional<int>(2)) << says;
        EXPECT_EQ(readFile(errors).rfind("tornuva-preview: " + says, 0), 0u) << readFile(errors);
    }
}

} // namespace
