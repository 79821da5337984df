#include "FolderWatch.h"

#include <map>
#include <stdexcept>
#include <tuple>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A file opened for writing and closed, or one renamed into the folder: a finished write
// either way, where a plain modification may be half of one.
constexpr std::uint32_t kWrittenEvents = IN_CLOSE_WRITE | IN_MOVED_TO;

class InotifyWatch final : public FolderWatch {
public:
    explicit InotifyWatch(int descriptor) : descriptor_(descriptor) {}
    ~InotifyWatch() override { close(descriptor_); }
    InotifyWatch(const InotifyWatch&) = delete;
    InotifyWatch& operator=(const InotifyWatch&) = delete;

    std::vector<std::string> takeWritten() override {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        // Non-blocking: the read fails once the queue is empty.
        while ((length = read(descriptor_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) {
                    names.emplace_back(event->name);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int descriptor_;
};

// A rename over the file gives it another inode, even within one tick of the file times.
using Stamp = std::tuple<ino_t, off_t, std::int64_t, long>;
using Stamps = std::map<std::string, Stamp>;

Stamps stampFolder(const fs::path& folder) {
    Stamps stamps;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        struct stat status {};
        if (stat(entry.path().c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            stamps[entry.path().filename().string()] = {
                status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
        }
    }
    return stamps;
}

class PollWatch final : public FolderWatch {
public:
    explicit PollWatch(fs::path folder)
        : folder_(std::move(folder)), stamps_(stampFolder(folder_)) {}

    std::vector<std::string> takeWritten() override {
        Stamps now = stampFolder(folder_);
        std::vector<std::string> names;
        for (const auto& [name, stamp] : now) {
            const auto before = stamps_.find(name);
            if (before == stamps_.end() || before->second != stamp) {
                names.push_back(name);
            }
        }
        stamps_ = std::move(now);
        return names;
    }

private:
    fs::path folder_;
    Stamps stamps_;
};

} // namespace

std::unique_ptr<FolderWatch> pollFolder(const fs::path& folder) {
    try {
        return std::make_unique<PollWatch>(folder);
    } catch (const fs::filesystem_error& failure) {
        throw std::runtime_error(std::string("cannot watch ") + failure.what());
    }
}

// The kernel's notifications can run out (a user's inotify instances are limited); the
// poll then does the same job.
std::unique_ptr<FolderWatch> watchFolder(const fs::path& folder) {
    const int descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor >= 0 && inotify_add_watch(descriptor, folder.c_str(), kWrittenEvents) >= 0) {
        return std::make_unique<InotifyWatch>(descriptor);
    }
    if (descriptor >= 0) {
        close(descriptor);
    }
    return pollFolder(folder);
}
