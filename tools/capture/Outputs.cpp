#include "Outputs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Opening for append writes nothing to a file that exists; one made just for the test goes
// again. Permission bits alone would not do: they do not bind root, and some file systems
// refuse writes whatever the bits say.
void tryOpening(const fs::path& path, const std::string& what) {
    std::error_code error;
    const bool existed = fs::exists(path, error);
    std::FILE* file = std::fopen(path.string().c_str(), "ab");
    if (!file) {
        throw std::runtime_error("Cannot write " + what + ": " + std::strerror(errno));
    }
    std::fclose(file);
    if (!existed) {
        fs::remove(path, error);
    }
}

} // namespace

void checkWritableFile(const std::string& path) {
    const fs::path file(path);
    std::error_code error;
    if (fs::is_directory(file, error)) {
        throw std::runtime_error("Cannot write " + path + ": it is a directory");
    }
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error)) {
        throw std::runtime_error("Cannot write " + path + ": the folder " + folder.string() +
                                 " does not exist");
    }
    tryOpening(file, path);
}

void prepareDirectory(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) {
        throw std::runtime_error("Cannot create the folder " + path + ": " + error.message());
    }
    if (!fs::is_directory(path, error)) {
        throw std::runtime_error("Cannot write frames into " + path + ": it is not a folder");
    }
    tryOpening(fs::path(path) / ".tornuva-capture-check", "into the folder " + path);
}

std::string framePath(const std::string& directory, std::uint64_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "%06llu.png", static_cast<unsigned long long>(frame));
    return (fs::path(directory) / name).string();
}
