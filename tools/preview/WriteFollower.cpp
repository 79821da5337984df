#include "WriteFollower.h"

#include <algorithm>
#include <utility>

WriteFollower::WriteFollower(std::vector<std::unique_ptr<FolderWatch>> watches, Wanted wanted,
                             std::uint64_t settleMs)
    : settleMs_(settleMs), watches_(std::move(watches)), wanted_(std::move(wanted)) {}

bool WriteFollower::burstEnded(std::uint64_t nowMs) {
    for (const auto& watch : watches_) {
        const std::vector<std::string> names = watch->takeWritten();
        if (std::any_of(names.begin(), names.end(), wanted_)) {
            lastWriteMs_ = nowMs;
        }
    }
    if (lastWriteMs_ && nowMs - *lastWriteMs_ >= settleMs_) {
        lastWriteMs_.reset();
        return true;
    }
    return false;
}
