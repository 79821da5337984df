#include "LiveCode.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "OptionValues.h"

extern char** environ;

namespace fs = std::filesystem;

// The module's target, built as DRAWING_MODULE.so at the top of the build tree, and its
// sources, relative to the source folder and separated by spaces.
constexpr char kModuleTarget[] = DRAWING_MODULE;
constexpr char kModuleSources[] = DRAWING_SOURCES;
// A file's time is the kernel's coarse clock, which may lag a build's start by a tick: a save
// this close before a build started is built again by the next.
constexpr std::chrono::milliseconds kWriteTimeSlack{20};

// The build tool and its compilers, run in a process group of their own so that a preview
// that quits mid-build ends all of them; their output, both streams, read as it comes.
class BuildRun {
public:
    explicit BuildRun(const std::vector<std::string>& argv) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            throw std::system_error(errno, std::generic_category(), "cannot start the build");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        std::vector<char*> args;
        for (const std::string& word : argv) {
            args.push_back(const_cast<char*>(word.c_str()));
        }
        args.push_back(nullptr);
        const int failed =
            posix_spawnp(&pid_, args[0], &actions, &attributes, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        close(ends[1]);
        output_fd_ = ends[0];
        fcntl(output_fd_, F_SETFL, O_NONBLOCK);
        if (failed != 0) {
            close(output_fd_);
            throw std::system_error(failed, std::generic_category(), "cannot run " + argv[0]);
        }
    }

    ~BuildRun() {
        if (!status_) {
            kill(-pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        close(output_fd_);
    }
    BuildRun(const BuildRun&) = delete;
    BuildRun& operator=(const BuildRun&) = delete;

    // The exit status once the build has ended and all its output is read.
    std::optional<int> finished() {
        readOutput();
        int status = 0;
        if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) {
            readOutput();
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return status_;
    }

    const std::string& output() const { return output_; }

private:
    void readOutput() {
        char buffer[4096];
        ssize_t length;
        while ((length = read(output_fd_, buffer, sizeof buffer)) > 0) {
            output_.append(buffer, static_cast<std::size_t>(length));
        }
    }

    pid_t pid_ = -1;
    int output_fd_ = -1;
    std::string output_;
    std::optional<int> status_;
};

// One build of the module, loaded under a name of its own: the loader hands back a module
// already loaded under the same name, and the build writes the next one where this came from.
class LoadedModule {
public:
    LoadedModule(const fs::path& built, fs::path copy) : copy_(std::move(copy)) {
        fs::copy_file(built, copy_, fs::copy_options::overwrite_existing);
        handle_ = dlopen(copy_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const std::string reason = dlerror();
            fs::remove(copy_);
            throw std::runtime_error("cannot load " + built.string() + ": " + reason);
        }
    }
    ~LoadedModule() {
        dlclose(handle_);
        std::error_code ignored;
        fs::remove(copy_, ignored);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    DrawingCode code() const {
        const auto entry = reinterpret_cast<DrawingCode (*)()>(dlsym(handle_, kDrawingCodeSymbol));
        if (!entry) {
            throw std::runtime_error(copy_.filename().string() + " has no " + kDrawingCodeSymbol);
        }
        return entry();
    }

private:
    fs::path copy_;
    void* handle_ = nullptr;
};

namespace {

// NAME:TYPE=value lines of a build tree's CMakeCache.txt; empty when there is none.
std::string cacheValue(const fs::path& buildDir, const std::string& name) {
    std::ifstream cache(buildDir / "CMakeCache.txt");
    const std::string start = name + ":";
    for (std::string line; std::getline(cache, line);) {
        const std::size_t equals = line.find('=');
        if (line.rfind(start, 0) == 0 && equals != std::string::npos) {
            return line.substr(equals + 1);
        }
    }
    return "";
}

// The folders of the module's sources, followed for those sources and the headers beside them.
WriteFollower followSources(const fs::path& sourceDir) {
    std::set<fs::path> folders;
    std::set<std::string> names;
    for (const std::string& source : drawingSources()) {
        folders.insert(fs::path(source).parent_path());
        names.insert(fs::path(source).filename().string());
    }
    std::vector<std::unique_ptr<FolderWatch>> watches;
    for (const fs::path& folder : folders) {
        watches.push_back(watchFolder(sourceDir / folder));
    }
    return WriteFollower(
        std::move(watches),
        [names](const std::string& name) {
            return names.count(name) != 0 || fs::path(name).extension() == ".h";
        },
        kSourceSettleMs);
}

fs::path freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "tornuva-live-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::system_error(errno, std::generic_category(), "cannot make " + pattern);
    }
    return pattern;
}

} // namespace

std::vector<std::string> drawingSources() {
    std::istringstream words(kModuleSources);
    std::vector<std::string> sources;
    for (std::string source; words >> source;) {
        sources.push_back(source);
    }
    return sources;
}

// A build tree's preview lies at the tree's top, beside its CMakeCache.txt; an installed or
// unpacked one lies elsewhere, with no sources to follow.
LiveTree findLiveTree(const std::optional<std::string>& buildDir) {
    const fs::path programFolder = fs::canonical("/proc/self/exe").parent_path();
    if (!fs::exists(programFolder / "CMakeCache.txt")) {
        throw OptionError("--live follows the sources of the tree a preview was built in; this "
                          "one is installed without them, so run the tornuva-preview of a "
                          "build tree instead");
    }
    LiveTree tree;
    tree.buildDir = buildDir ? fs::absolute(*buildDir) : programFolder;
    tree.sourceDir = cacheValue(tree.buildDir, "CMAKE_HOME_DIRECTORY");
    tree.cmake = cacheValue(tree.buildDir, "CMAKE_COMMAND");
    if (tree.sourceDir.empty() || tree.cmake.empty()) {
        throw OptionError("--build-dir " + tree.buildDir.string() +
                          ": not a build tree (it has no CMakeCache.txt)");
    }
    return tree;
}

std::string firstError(const std::string& output, const fs::path& sourceDir, int status) {
    static const std::regex compilerError(R"(^(.+?):(\d+):(?:\d+:)? (?:fatal )?error: (.*)$)");
    std::smatch found;
    std::string::const_iterator from = output.begin();
    std::optional<std::string> mentioned;
    for (std::string line; from != output.end();) {
        const auto end = std::find(from, output.end(), '\n');
        line.assign(from, end);
        from = end == output.end() ? end : end + 1;
        if (std::regex_match(line, found, compilerError)) {
            const fs::path file = fs::path(found[1].str()).lexically_relative(sourceDir);
            const bool inside = !file.empty() && *file.begin() != "..";
            return (inside ? file.string() : found[1].str()) + ":" + found[2].str() + ": " +
                   found[3].str();
        }
        if (!mentioned && (line.find("error") != std::string::npos ||
                           line.find("undefined reference") != std::string::npos)) {
            mentioned = line;
        }
    }
    return mentioned.value_or("the build failed with status " + std::to_string(status));
}

LiveCode::LiveCode(LiveTree tree)
    : tree_(std::move(tree)), sources_(followSources(tree_.sourceDir)), loadFolder_(freshFolder()) {
}

LiveCode::~LiveCode() {
    build_.reset();
    module_.reset();
    std::error_code ignored;
    fs::remove_all(loadFolder_, ignored);
}

std::optional<LiveChange> LiveCode::takeChange(std::uint64_t nowMs) {
    buildDue_ = sources_.burstEnded(nowMs) || buildDue_;
    if (build_) {
        const std::optional<int> status = build_->finished();
        if (!status) {
            return std::nullopt;
        }
        const std::unique_ptr<BuildRun> done = std::move(build_);
        if (*status != 0) {
            std::fputs(done->output().c_str(), stderr);
            return LiveChange{std::nullopt, firstError(done->output(), tree_.sourceDir, *status),
                              std::nullopt};
        }
        if (step_ == Step::Compile) {
            times_->compile = Clock::now() - stepStart_;
            startStep(Step::Link, {"/bin/sh", "-c", linkScript(*recipe_)});
            return std::nullopt;
        }
        if (step_ == Step::Link) {
            times_->link = Clock::now() - stepStart_;
        }
        builtUpTo_ = buildingUpTo_;
        return load();
    }
    if (buildDue_) {
        buildDue_ = false;
        startBuild();
    }
    return std::nullopt;
}

// The first build goes through the tree's own tool, which brings the whole module up to date;
// later ones compile the units that read a file saved since and link, as that tool would, when
// the tree records how. Without such a record every build goes through the tool.
void LiveCode::startBuild() {
    const fs::file_time_type start = fs::file_time_type::clock::now();
    buildingUpTo_ = start - kWriteTimeSlack;
    times_.reset();
    if (builds_ > 0) {
        try {
            recipe_ = readModuleRecipe(tree_.buildDir, kModuleTarget);
        } catch (const std::runtime_error&) {
            recipe_.reset();
        }
    }
    if (!recipe_) {
        startStep(Step::Whole,
                  {tree_.cmake, "--build", tree_.buildDir.string(), "--target", kModuleTarget});
        return;
    }
    const StaleUnits stale = staleUnits(*recipe_, tree_.sourceDir, builtUpTo_);
    if (stale.units.empty()) {
        return;
    }
    times_ = LiveTimes{start - stale.newestWrite, {}, {}, {}};
    startStep(Step::Compile, {"/bin/sh", "-c", compileScript(stale.units, tree_.buildDir)});
}

void LiveCode::startStep(Step step, const std::vector<std::string>& argv) {
    step_ = step;
    stepStart_ = Clock::now();
    build_ = std::make_unique<BuildRun>(argv);
}

// The new module replaces the old only once it is loaded and fits this preview's show.
LiveChange LiveCode::load() {
    const Clock::time_point start = Clock::now();
    ++builds_;
    const std::string name = std::string(kModuleTarget) + "-" + std::to_string(builds_) + ".so";
    try {
        auto fresh = std::make_unique<LoadedModule>(
            tree_.buildDir / (std::string(kModuleTarget) + ".so"), loadFolder_ / name);
        const DrawingCode code = fresh->code();
        if (std::strcmp(code.showLayout, tornuvaDrawingCode().showLayout) != 0) {
            return {std::nullopt, "the show's own data changed: restart the preview to draw it",
                    std::nullopt};
        }
        module_ = std::move(fresh);
        if (times_) {
            times_->load = Clock::now() - start;
        }
        return {code, "live build " + std::to_string(builds_), times_};
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tornuva-preview: %s\n", failure.what());
        return {std::nullopt, failure.what(), std::nullopt};
    }
}
