#include "CaptureRun.h"

#include <filesystem>

#include <unistd.h>

CaptureRun runCapture(const std::vector<std::string>& args,
                      const std::vector<std::string>& environment) {
    static int serial = 0;
    const std::string errors =
        freshOutput("errors-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::vector<std::string> argv = {TORNUVA_CAPTURE};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess capture(argv, environment, std::filesystem::current_path(), errors);
    return {capture.waitFor(std::chrono::minutes(10)).value_or(-1), readFile(errors)};
}

std::string freshOutput(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(CAPTURE_TEST_OUTPUT) / name;
    std::filesystem::remove_all(path);
    return path.string();
}
