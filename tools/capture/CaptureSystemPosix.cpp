#include "CaptureSystem.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::optional<std::string> findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path) {
        return std::nullopt;
    }
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : folder) / program;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

} // namespace

bool isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

void ignoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::string requireFfmpeg() {
    const std::optional<std::string> ffmpeg = findOnPath("ffmpeg");
    if (!ffmpeg) {
        throw std::runtime_error("ffmpeg is not on the PATH: a video needs it (Debian package "
                                 "ffmpeg); --frames DIR writes PNGs without it");
    }
    return *ffmpeg;
}

std::FILE* startFeeding(const std::string& command) {
    std::FILE* pipe = popen(command.c_str(), "w");
    if (!pipe) {
        throw std::runtime_error("Unable to start ffmpeg");
    }
    return pipe;
}

int finishFeeding(std::FILE* pipe) {
    const int status = pclose(pipe);
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
