#include "PreviewOptions.h"

#include <algorithm>
#include <array>

#include "LiveCode.h"

namespace {

constexpr std::array<const char*, 5> kFlags = {"--paused", "--fullscreen", "--no-watch", "--live",
                                               "--no-strip"};
constexpr std::array<const char*, 4> kValued = {"--from", "--window", "--loop", "--build-dir"};

Loop parseLoop(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        throw OptionError("--loop takes START:END in milliseconds, such as 25000:35000, not '" +
                          text + "'");
    }
    const Loop loop{parseTime("--loop start", text.substr(0, colon)),
                    parseTime("--loop end", text.substr(colon + 1))};
    if (loop.end <= loop.start) {
        throw OptionError("--loop " + text + ": the end must come after the start");
    }
    return loop;
}

void setValue(PreviewOptions& options, bool& fromGiven, const std::string& name,
              const std::string& value) {
    if (value.empty()) {
        throw OptionError(name + " needs a value (see --help)");
    }
    if (name == "--from") {
        options.from = parseTime(name, value);
        fromGiven = true;
    } else if (name == "--window") {
        const PixelSize size = parseSize(name, value);
        options.width = size.width;
        options.height = size.height;
    } else if (name == "--build-dir") {
        options.buildDir = value;
    } else {
        options.loop = parseLoop(value);
    }
}

} // namespace

PreviewOptions parsePreviewOptions(const std::vector<std::string>& args) {
    PreviewOptions options;
    bool fromGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto [name, value] = splitOptionWord(args[i]);
        if (name == "-h" || name == "--help") {
            options.help = true;
        } else if (std::find(kFlags.begin(), kFlags.end(), name) != kFlags.end()) {
            if (value) {
                throw OptionError(name + " takes no value");
            }
            options.paused = options.paused || name == "--paused";
            options.fullscreen = options.fullscreen || name == "--fullscreen";
            options.watchData = options.watchData && name != "--no-watch";
            options.live = options.live || name == "--live";
            options.strip = options.strip && name != "--no-strip";
        } else if (std::find(kValued.begin(), kValued.end(), name) != kValued.end()) {
            if (!value && i + 1 >= args.size()) {
                throw OptionError(name + " needs a value (see --help)");
            }
            setValue(options, fromGiven, name, value ? *value : args[++i]);
        } else if (name.empty() || name[0] != '-') {
            throw OptionError("unexpected argument '" + name + "' (see --help)");
        } else {
            throw OptionError("unknown option '" + name + "' (see --help)");
        }
    }
    if (options.buildDir && !options.live) {
        throw OptionError("--build-dir names the tree --live builds in; it needs --live");
    }
    if (options.loop && !fromGiven) {
        options.from = options.loop->start;
    }
    return options;
}

std::string previewUsage() {
    std::string followed;
    std::size_t lineLength = 80;
    for (const std::string& source : drawingSources()) {
        if (lineLength + source.size() > 78) {
            followed += "\n ";
            lineLength = 1;
        }
        followed += " " + source;
        lineLength += source.size() + 1;
    }
    return R"(Usage: tornuva-preview [OPTION]...
Plays the show at any moment, live: pause, seek, step, loop and reload.

The frame at a moment is the one tornuva-capture --at MS --size WxH writes for that size;
the static of the first five seconds has moved on as in a 60 fps capture from 0. The
title shows the moment and the scenes on screen. The music starts at the show's 3 s mark
and follows the clock. Below the frame, a strip as wide as the window maps the show from 0
at its left edge to the last frame at its right: the music's waveform, the scenes, the
loop and the playhead. A click in it moves to the moment under the pointer, and a drag
scrubs. Run from the project root: Data/ is read from the working directory.

Options:
  --from MS      start at MS milliseconds of show time (default 0, or the loop's start).
  --paused       start paused.
  --window WxH   the window's size in pixels (default 1280x720).
  --fullscreen   start full screen on the desktop instead of in the window.
  --loop A:B     play the stretch from A up to B milliseconds over and over.
  --data DIR     read the show's Data/ from DIR instead of the working directory; saved
                 frames still go to the working directory.
  --no-watch     leave Data/ alone until R; otherwise a file of it that is written (in
                 place, or beside it and renamed over) reloads it as R does.
  --no-strip     start without the strip below the frame.
  --live         follow the drawing code too: when one of the drawing module's sources
                 (listed below) or a header beside them is saved, compile what read it
                 and link the module in the background, as the build tree does, and draw
                 with the new build from the next frame, at the same moment; a build that
                 fails leaves the code as it was and puts its first error in the title,
                 and its whole output on standard error. Needs the preview of a build
                 tree; an installed one ends with status 2.
  --build-dir DIR  with --live: build in the tree DIR instead of the one the preview was
                 built in.
  --version      the version number and the licence.
  -h, --help     display this help and exit.

Keys:
  Space          pause or resume.
  Left, Right    1 s back or forward; with Shift, 10 s.
  , and .        one frame (1/60 s) back or forward, while paused.
  Home           back to 0.
  L              loop the 10 s around the current moment, or clear the loop.
  F              full screen on or off.
  S              save the frame on screen (without the strip) as tornuva-MMMMMM.png
                 (show time in ms) in the working directory and print its path.
  T              hide or show the strip.
  R              reload every file of Data/ and draw the same moment again; a broken file
                 leaves the pictures as they were, and its message goes to standard error
                 and, for a few seconds, to the title.
  Escape         quit (as does closing the window).

The drawing module's sources, followed with --live:)" +
           followed + "\n";
}
