#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "PreviewOptions.h"
#include "Strip.h"
#include "Transport.h"
#include "app/Timeline.h"

namespace {

using L = std::optional<Loop>;

// a: the clock runs on; k: seek by; h: Home; s: step; p: pause or resume; l: loop or clear.
const std::map<char, std::function<void(Transport&, std::int64_t)>> kMoves = {
    {'a', [](Transport& t, std::int64_t ms) { t.advance(static_cast<std::uint64_t>(ms)); }},
    {'k', [](Transport& t, std::int64_t ms) { t.seekBy(ms); }},
    {'h', [](Transport& t, std::int64_t) { t.seekTo(0); }},
    {'s', [](Transport& t, std::int64_t direction) { t.step(static_cast<int>(direction)); }},
    {'p', [](Transport& t, std::int64_t) { t.togglePause(); }},
    {'l', [](Transport& t, std::int64_t) { t.toggleLoop(); }},
};

TEST(PreviewTransport, MovesWithinTheShowStepsByCaptureFramesAndLoops) {
    const L vane = Loop{20000, 30000};
    // From, paused, loop, moves; then now, paused, loop, and whether the music must catch up.
    const std::vector<std::tuple<std::uint32_t, bool, L, std::string, std::uint32_t, bool, L, bool>>
        cases = {
            {1000, false, {}, "a500", 1500, false, {}, false},
            {1000, false, {}, "p a500 p a20", 1020, false, {}, false},
            {500, true, {}, "k-1000", 0, true, {}, true},
            {158000, true, {}, "k10000", 158189, true, {}, true},
            {42000, false, {}, "h", 0, false, {}, true},
            {158000, false, {}, "a5000", 158189, true, {}, false},
            {1000, true, {}, "s1", 1016, true, {}, true},
            {1000, true, {}, "s-1", 983, true, {}, true},
            {1005, true, {}, "s-1", 1000, true, {}, true},
            {16, true, {}, "s1", 33, true, {}, true},
            {0, true, {}, "s-1", 0, true, {}, false},
            {158183, true, {}, "s1", 158189, true, {}, true},
            {1000, false, {}, "s1", 1000, false, {}, false},
            {25000, false, vane, "a5500", 20500, false, vane, true},
            {29000, false, vane, "a999", 29999, false, vane, false},
            {29000, false, vane, "a1000", 20000, false, vane, true},
            {150000, false, vane, "a9000", 20000, false, vane, true},
            {42000, true, {}, "l", 42000, true, Loop{37000, 47000}, false},
            {2000, true, {}, "l", 2000, true, Loop{0, 10000}, false},
            {157000, true, {}, "l", 157000, true, Loop{148189, 158189}, false},
            {42000, true, vane, "l", 42000, true, {}, false},
        };
    for (const auto& [from, paused, loop, moves, now, pausedAfter, loopAfter, jumped] : cases) {
        Transport transport(from, paused, loop);
        std::istringstream words(moves);
        for (std::string move; words >> move;) {
            kMoves.at(move[0])(transport, move.size() > 1 ? std::stoll(move.substr(1)) : 0);
        }
        EXPECT_EQ(std::tuple(transport.now(), transport.paused(), transport.loop(),
                             transport.jumps() != 0),
                  std::tuple(now, pausedAfter, loopAfter, jumped))
            << from << ": " << moves;
    }
}

TEST(PreviewMusic, TrackPositionFollowsShowTimeRoundTheLoop) {
    // -1: silent, before the show starts the track.
    const std::vector<std::tuple<std::uint32_t, double, double>> cases = {
        {0, 32, -1},    {3000, 32, -1}, {3001, 32, 0},  {4501, 32, 1.5},
        {35001, 32, 0}, {40001, 32, 5}, {40001, 0, 37}, {158189, 32, 27.188}};
    for (const auto& [t, track, seconds] : cases) {
        EXPECT_NEAR(musicPosition(t, track).value_or(-1), seconds, 1e-9) << t;
    }
}

// The strip's columns map linearly onto the show and back: its edges are 0 and the last frame,
// a strip one pixel wide shows 0, and every column's moment is shown in that column.
TEST(PreviewStrip, MapsColumnsToMomentsAndBack) {
    const std::vector<std::tuple<int, int, std::uint32_t>> cases = {
        {0, 320, 0},  {1, 320, 496}, {100, 320, 49589}, {319, 320, 158189}, {400, 320, 158189},
        {-5, 320, 0}, {0, 1, 0},     {7, 1, 0},         {1, 2, 158189},     {1, 3, 79095}};
    for (const auto& [column, width, moment] : cases) {
        EXPECT_EQ(momentAtColumn(column, width), moment) << column << " of " << width;
    }
    for (const int width : {1, 2, 320, 1920, 158190}) {
        for (int column = 0; column < width; ++column) {
            ASSERT_EQ(columnOfMoment(momentAtColumn(column, width), width), column) << width;
        }
        EXPECT_EQ(columnOfMoment(kShowLastFrameMs + 1000, width), width - 1);
    }
}

TEST(PreviewTitle, NamesTheMomentTheScenesAndTheState) {
    const std::vector<std::tuple<Transport, std::string, std::string>> cases = {
        {Transport(83456, false, {}), "", "1:23.456 voyage"},
        {Transport(5000, true, {}), "", "0:05.000 black paused"},
        {Transport(7000, true, {}), "", "0:07.000 still life + banner paused"},
        {Transport(13000, false, {}), "saved x.png", "0:13.000 still life - saved x.png"},
        {Transport(20000, false, Loop{0, 1}), "", "0:20.000 portrait loop 0:00.000-0:00.001"},
        {Transport(30000, false, {}), "", "0:30.000 wind vane"},
        {Transport(158189, true, {}), "", "2:38.189 voyage paused"},
    };
    for (const auto& [transport, notice, title] : cases) {
        EXPECT_EQ(previewTitle(transport, notice), "Tornuva preview " + title);
    }
}

TEST(PreviewOptions, ReadsTheCommandLine) {
    const std::vector<std::pair<std::vector<std::string>, PreviewOptions>> cases = {
        {{}, {}},
        {{"--from", "83456", "--paused", "--window=640x360", "--fullscreen"},
         {.from = 83456, .paused = true, .width = 640, .height = 360, .fullscreen = true}},
        {{"--loop", "25000:35000"}, {.from = 25000, .loop = Loop{25000, 35000}}},
        {{"--loop=5:9", "--from", "1", "--no-watch"},
         {.from = 1, .loop = Loop{5, 9}, .watchData = false}},
        {{"-h"}, {.help = true}},
        {{"--live", "--build-dir", "b", "--no-strip"},
         {.strip = false, .live = true, .buildDir = "b"}},
    };
    for (const auto& [args, options] : cases) {
        EXPECT_EQ(parsePreviewOptions(args), options) << args.size() << " arguments";
    }
}

} // namespace
