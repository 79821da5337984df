#include "CaptureRun.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

#include "VideoPipe.h"

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
