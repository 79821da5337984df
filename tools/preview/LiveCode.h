#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DrawingCode.h"
#include "ModuleRecipe.h"
#include "WriteFollower.h"

// The build tree whose drawing module --live follows, and the sources it is built from.
struct LiveTree {
    std::filesystem::path buildDir;
    std::filesystem::path sourceDir;
    std::string cmake; // the tree's own
};

// The tree this preview was built in, or the one buildDir names. Throws OptionError when the
// preview is an installed copy, which has no sources to follow, or buildDir is not a build
// tree.
LiveTree findLiveTree(const std::optional<std::string>& buildDir);

// "scenes/VoyageScene.cpp:42: expected ';' before '}' token": the first compiler error of a
// build's output, its file named from the source folder; otherwise the first line that speaks
// of an error (the linker's undefined references among them), or, failing that, the exit
// status.
std::string firstError(const std::string& output, const std::filesystem::path& sourceDir,
                       int status);

// The drawing module's sources, relative to the source folder, as the build lists them: the
// preview follows these and the headers beside them.
std::vector<std::string> drawingSources();

// Where the time went from the last save of a build's sources to its code being loaded.
struct LiveTimes {
    std::chrono::duration<double> wait, compile, link, load;
};

// What a finished build brought: new code to draw with, or why there is none. A build of the
// changed units alone says how long each step took.
struct LiveChange {
    std::optional<DrawingCode> code;
    std::string message;
    std::optional<LiveTimes> times;
};

class BuildRun;
class LoadedModule;

// Builds the drawing module with the tree's own tool whenever its sources are saved, in the
// background, and loads each build that succeeds. Owns the loaded module: the code it hands
// out is good until the next change it hands out.
class LiveCode {
public:
    // The first build starts at the first look.
    explicit LiveCode(LiveTree tree);
    ~LiveCode();
    LiveCode(const LiveCode&) = delete;
    LiveCode& operator=(const LiveCode&) = delete;

    // Call between frames: starts a build once a burst of saves has settled (after the one
    // running, if any), and takes a finished one.
    std::optional<LiveChange> takeChange(std::uint64_t nowMs);

    bool building() const { return build_ != nullptr; }

private:
    using Clock = std::chrono::steady_clock;
    enum class Step { Whole, Compile, Link };

    void startBuild();
    void startStep(Step step, const std::vector<std::string>& argv);
    LiveChange load();

    LiveTree tree_;
    WriteFollower sources_;
    std::filesystem::path loadFolder_;
    std::unique_ptr<BuildRun> build_;
    Step step_ = Step::Whole;
    Clock::time_point stepStart_;
    std::optional<ModuleRecipe> recipe_;
    // Sources written before builtUpTo_ are in the module; a build that succeeds brings it up
    // to when that build started.
    std::filesystem::file_time_type builtUpTo_;
    std::filesystem::file_time_type buildingUpTo_;
    std::optional<LiveTimes> times_;
    std::unique_ptr<LoadedModule> module_;
    bool buildDue_ = true;
    unsigned builds_ = 0;
};
