#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The files of one folder that were written since the last look: written in place and
// closed, or written elsewhere and renamed into the folder, as editors and generators save.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;

    // The names written since the last call (a name may come more than once), without waiting.
    virtual std::vector<std::string> takeWritten() = 0;
};

// The kernel's notifications where they can be had, otherwise a poll of the files' sizes,
// times and inodes. Throws std::runtime_error when the folder cannot be read.
std::unique_ptr<FolderWatch> watchFolder(const std::filesystem::path& folder);

// The poll alone: it sees a rewrite of the same size within the file system's time
// resolution only when the file is replaced by a rename.
std::unique_ptr<FolderWatch> pollFolder(const std::filesystem::path& folder);
