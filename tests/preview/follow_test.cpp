#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <stdlib.h>

#include "LiveCode.h"
#include "WriteFollower.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Folder {
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "tornuva-follow-XXXXXX").string();
        path = mkdtemp(pattern.data());
        write(path / "sun.png", "old");
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

WriteFollower followSun(const fs::path& folder, bool poll) {
    std::vector<std::unique_ptr<FolderWatch>> watches;
    watches.push_back(poll ? pollFolder(folder) : watchFolder(folder));
    return WriteFollower(std::move(watches),
                         [](const std::string& name) { return name == "sun.png"; });
}

// Each way of saving, seen (or not) by the kernel's notifications and by the poll alike: once,
// when the writing has settled.
TEST(WriteFollower, SeesFilesWrittenInPlaceOrRenamedOverOncePerBurst) {
    const std::vector<std::tuple<const char*, std::function<void(const fs::path&)>, bool>> cases = {
        {"written in place", [](const fs::path& f) { write(f / "sun.png", "new sun"); }, true},
        {"written beside and renamed over",
         [](const fs::path& f) {
             write(f / "sun.png.tmp", "new sun");
             fs::rename(f / "sun.png.tmp", f / "sun.png");
         },
         true},
        {"another file written", [](const fs::path& f) { write(f / "notes.txt", "x"); }, false},
        {"the file removed", [](const fs::path& f) { fs::remove(f / "sun.png"); }, false},
    };
    for (const bool poll : {false, true}) {
        for (const auto& [what, save, seen] : cases) {
            const Folder folder;
            WriteFollower follower = followSun(folder.path, poll);
            save(folder.path);
            EXPECT_FALSE(follower.burstEnded(1000)) << what << (poll ? ", polled" : "");
            EXPECT_EQ(follower.burstEnded(1000 + kBurstSettleMs), seen) << what;
            EXPECT_FALSE(follower.burstEnded(5000)) << what << (poll ? ", polled" : "");
        }
    }
}

// A write before the burst has settled starts the wait again.
TEST(WriteFollower, WaitsForTheLastWriteOfABurst) {
    const Folder folder;
    WriteFollower follower = followSun(folder.path, false);
    write(folder.path / "sun.png", "first");
    EXPECT_FALSE(follower.burstEnded(1000));
    write(folder.path / "sun.png", "second");
    EXPECT_FALSE(follower.burstEnded(1000 + kBurstSettleMs - 1));
    EXPECT_FALSE(follower.burstEnded(1000 + kBurstSettleMs + 1));
    EXPECT_TRUE(follower.burstEnded(1000 + 2 * kBurstSettleMs));
}

} // namespace

TEST(LiveBuild, TitlesTheFirstErrorOfAFailedBuild) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/src/scenes/A.cpp: In function 'void f()':\n"
         "/src/scenes/A.cpp:5:1: warning: unused variable 'x'\n"
         "/src/scenes/A.cpp:20:19: error: expected ')' before ';' token\n"
         "/src/scenes/A.cpp:31:2: error: later\n",
         "scenes/A.cpp:20: expected ')' before ';' token"},
        {"/src/app/Frame.cpp:3:10: fatal error: Gone.h: No such file or directory\n",
         "app/Frame.cpp:3: Gone.h: No such file or directory"},
        {"/usr/include/GL/gl.h:10:3: error: x\n", "/usr/include/GL/gl.h:10: x"},
        {"/usr/bin/ld: Quads.cpp:(.text+0x1): undefined reference to `f'\n"
         "collect2: error: ld returned 1 exit status\n",
         "/usr/bin/ld: Quads.cpp:(.text+0x1): undefined reference to `f'"},
        {"gmake: *** [Makefile:2] Terminated", "the build failed with status 2"},
    };
    for (const auto& [output, title] : cases) {
        EXPECT_EQ(firstError(output, "/src", 2), title);
    }
}
