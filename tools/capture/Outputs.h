#pragma once

#include <cstdint>
#include <string>

// Checks before any rendering that a file can be written at `path`, so that a long capture
// cannot fail at its very end. Throws std::runtime_error saying why not.
void checkWritableFile(const std::string& path);

// Creates the directory (and its parents) when missing and checks it can be written into.
void prepareDirectory(const std::string& path);

// DIR/000042.png
std::string framePath(const std::string& directory, std::uint64_t frame);
