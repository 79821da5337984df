#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FolderWatch.h"

// Writes closer together than this are one burst: a generator writing a folder full, an
// editor writing beside and renaming over.
inline constexpr std::uint64_t kBurstSettleMs = 100;
// An editor saves a source at once, as one write or a write and a rename.
inline constexpr std::uint64_t kSourceSettleMs = 30;

// Follows the writes to some of the files of some folders and tells of each burst once, when
// the writing has settled.
class WriteFollower {
public:
    using Wanted = std::function<bool(const std::string& name)>;

    WriteFollower(std::vector<std::unique_ptr<FolderWatch>> watches, Wanted wanted,
                  std::uint64_t settleMs = kBurstSettleMs);

    // True once per burst of writes to wanted files, at the first look settleMs or more after
    // the burst's last write.
    bool burstEnded(std::uint64_t nowMs);

private:
    std::uint64_t settleMs_;
    std::vector<std::unique_ptr<FolderWatch>> watches_;
    Wanted wanted_;
    std::optional<std::uint64_t> lastWriteMs_;
};
