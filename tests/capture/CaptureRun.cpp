#include "CaptureRun.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

#include "VideoPipe.h"

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

CaptureRun runCapture(const std::vector<std::string>& args,
                      const std::vector<std::string>& environment) {
    static int serial = 0;
    const std::string stem = std::string(CAPTURE_TEST_OUTPUT) + "/run-" + std::to_string(getpid()) +
                             "-" + std::to_string(serial++);
    std::string command = "env";
    const auto add = [&command](const std::string& word) {
        command += ' ';
        command += shellQuote(word);
    };
    for (const std::string& setting : environment) {
        add(setting);
    }
    add(TORNUVA_CAPTURE);
    for (const std::string& arg : args) {
        add(arg);
    }
    command += " >";
    command += shellQuote(stem + ".out");
    command += " 2>";
    command += shellQuote(stem + ".err");
    const int status = std::system(command.c_str());
    CaptureRun run;
    run.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = readFile(stem + ".out");
    run.errors = readFile(stem + ".err");
    std::filesystem::remove(stem + ".out");
    std::filesystem::remove(stem + ".err");
    return run;
}

std::string freshOutput(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(CAPTURE_TEST_OUTPUT) / name;
    std::filesystem::remove_all(path);
    return path.string();
}

std::string commandOutput(const std::string& command) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, got);
    }
    pclose(pipe);
    return text;
}
