#include "Options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 10> kPresets = {
    "ultrafast", "superfast", "veryfast", "faster",   "fast",
    "medium",    "slow",      "slower",   "veryslow", "placebo"};

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::uint32_t parseSeconds(const std::string& option, const std::string& text) {
    std::size_t used = 0;
    double seconds = 0;
    try {
        seconds = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || !(seconds > 0) || seconds > 1000) {
        throw OptionError(option + " takes a number of seconds above 0, not '" + text + "'");
    }
    const auto ms = static_cast<std::uint32_t>(std::llround(seconds * 1000));
    if (ms == 0) {
        throw OptionError(option + " " + text + " is shorter than a millisecond");
    }
    return ms;
}

struct Given {
    std::map<std::string, std::string> values; // by canonical option name; last one wins
    bool has(const std::string& name) const { return values.count(name) != 0; }
    const std::string& operator[](const std::string& name) const { return values.at(name); }
};

const std::vector<std::string> kValued = {"-o",      "--at",     "--from",  "--to",    "--fps",
                                          "--size",  "--frames", "--sheet", "--every", "--columns",
                                          "--thumb", "--crf",    "--preset"};

Given collect(const std::vector<std::string>& args) {
    Given given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto [name, value] = splitOptionWord(args[i]);
        if (name == "--output") {
            name = "-o";
        }
        if (name == "-h" || name == "--help") {
            given.values["--help"] = "";
            continue;
        }
        if (std::find(kValued.begin(), kValued.end(), name) == kValued.end()) {
            if (name.empty() || name[0] != '-') {
                throw OptionError("unexpected argument '" + name + "' (see --help)");
            }
            throw OptionError("unknown option '" + name + "' (see --help)");
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                throw OptionError(name + " needs a value (see --help)");
            }
            value = args[++i];
        }
        if (value->empty()) {
            throw OptionError(name + " needs a value (see --help)");
        }
        given.values[name] = *value;
    }
    return given;
}

Mode modeOf(const Given& given) {
    const int outputs =
        int(given.has("-o")) + int(given.has("--frames")) + int(given.has("--sheet"));
    if (outputs == 0) {
        throw OptionError("nothing to write: give -o FILE, --frames DIR or --sheet FILE.png "
                          "(see --help)");
    }
    if (outputs > 1) {
        throw OptionError("give only one of -o, --frames and --sheet");
    }
    if (given.has("--frames")) {
        return Mode::Frames;
    }
    if (given.has("--sheet")) {
        if (lowerExtension(given["--sheet"]) != ".png") {
            throw OptionError("the contact sheet is a PNG: give --sheet a name ending in .png");
        }
        return Mode::Sheet;
    }
    if (lowerExtension(given["-o"]) == ".png") {
        if (!given.has("--at")) {
            throw OptionError("a PNG output is one frame: give --at MS (or --frames DIR for a "
                              "sequence)");
        }
        return Mode::Still;
    }
    if (given.has("--at")) {
        throw OptionError("--at writes one frame: give -o a name ending in .png");
    }
    return Mode::Video;
}

void rejectOutside(const Given& given, const std::vector<std::string>& names,
                   const std::string& where) {
    for (const std::string& name : names) {
        if (given.has(name)) {
            throw OptionError(name + " applies only " + where);
        }
    }
}

} // namespace

Options parseOptions(const std::vector<std::string>& args) {
    const Given given = collect(args);
    Options options;
    if (given.has("--help")) {
        return options;
    }
    options.mode = modeOf(given);
    options.output = given.has("-o")         ? given["-o"]
                     : given.has("--frames") ? given["--frames"]
                                             : given["--sheet"];

    if (options.mode == Mode::Still) {
        rejectOutside(given, {"--from", "--to"}, "to a range of frames, not with --at");
    }
    if (options.mode != Mode::Sheet) {
        rejectOutside(given, {"--every", "--columns", "--thumb"}, "to --sheet");
    }
    if (options.mode != Mode::Video) {
        rejectOutside(given, {"--crf", "--preset"}, "to a video (-o FILE.mp4)");
    }

    if (given.has("--at")) {
        options.at = parseTime("--at", given["--at"]);
    }
    if (given.has("--from")) {
        options.from = parseTime("--from", given["--from"]);
    }
    if (given.has("--to")) {
        options.to = parseTime("--to", given["--to"]);
        if (*options.to <= options.from) {
            throw OptionError("--to " + given["--to"] + " must come after --from " +
                              std::to_string(options.from));
        }
    }
    if (given.has("--fps")) {
        options.fps = parseInt("--fps", given["--fps"], 1, 1000);
    }
    if (given.has("--size")) {
        const PixelSize size = parseSize("--size", given["--size"]);
        options.width = size.width;
        options.height = size.height;
    }
    if (options.mode == Mode::Video && (options.width % 2 != 0 || options.height % 2 != 0)) {
        throw OptionError("a video needs an even width and height (H.264 in yuv420p), not " +
                          given["--size"]);
    }
    if (given.has("--every")) {
        options.everyMs = parseSeconds("--every", given["--every"]);
    }
    if (given.has("--columns")) {
        options.columns = parseInt("--columns", given["--columns"], 1, 100);
    }
    if (given.has("--thumb")) {
        options.thumbWidth = parseInt("--thumb", given["--thumb"], 16, 4096);
    }
    if (given.has("--crf")) {
        options.crf = parseInt("--crf", given["--crf"], 0, 51);
    }
    if (given.has("--preset")) {
        options.preset = given["--preset"];
        if (std::find(kPresets.begin(), kPresets.end(), options.preset) == kPresets.end()) {
            throw OptionError("--preset must be an x264 preset (ultrafast ... placebo), not '" +
                              options.preset + "'");
        }
    }
    return options;
}

std::string usageText() {
    return R"(Usage: tornuva-capture --at MS -o FRAME.png [OPTION]...
  or:  tornuva-capture -o SHOW.mp4 [OPTION]...
  or:  tornuva-capture --frames DIR [OPTION]...
  or:  tornuva-capture --sheet SHEET.png [OPTION]...
Renders the show offline, frame by frame, to pictures or video.

The show's time comes from the frame number, never the clock, so a capture is the same
bit for bit every time. The static of the first five seconds moves on once per frame the
show draws: a capture that starts after 0 (with --from, --at or on the sheet) first moves
the static on for every frame a capture from 0 at the same --fps would have drawn before
it, so a frame looks the same whichever way it was captured.

The video's sound is the show's music: silent until 3001 ms of show time, when the show
starts it, then looped to the end; a capture from later starts the track at the matching
point. Without Data/bossanova.ogg the sound track is silent.

The show's Data/ is read from the working directory (run from the project root) or from the
folder given with --data. Needs an X display (use xvfb-run on a machine without one).

Outputs (exactly one):
  -o, --output FILE  FILE.png with --at: the one frame at MS milliseconds of show time.
                     Any other name: a video (H.264 in yuv420p, AAC sound; the container
                     follows the extension, e.g. .mp4, .mkv, .mov), encoded by ffmpeg,
                     which must be on the PATH.
  --frames DIR       the frames as DIR/000000.png, DIR/000001.png, ... (DIR is created).
  --sheet FILE.png   a contact sheet: one thumbnail every --every seconds, each labelled
                     with its time as m:ss and in milliseconds.

Options:
  --at MS            the time of the one frame, 0 to 158189.
  --from MS          the first frame's time (default 0).
  --to MS            stop before this time (default: through the show's last frame, the
                     first at or after 158189 ms, as the show itself ends).
  --fps N            frames per second (default 60); frame i is drawn at
                     t = from + floor(i * 1000 / N).
  --size WxH         the picture size in pixels (default 1920x1080), whatever the
                     display; the show's aspect follows it. Even sizes for a video.
  --every S          seconds between contact-sheet thumbnails (default 5).
  --columns N        thumbnails per contact-sheet row (default 8).
  --thumb W          thumbnail width in pixels (default 240; the height keeps the aspect).
  --crf N            x264 quality, 0 (lossless) to 51 (default 18).
  --preset NAME      x264 speed preset, ultrafast to placebo (default medium).
  --data DIR         read the show's Data/ from DIR instead of the working directory;
                     output names stay relative to the working directory.
  -h, --help         display this help and exit.
  --version          the version number and the licence.
)";
}
