#pragma once

#include "support/Process.h"

#include <string>
#include <vector>

struct CaptureRun {
    int status = -1;    // the exit status; negative when it did not exit normally
    std::string errors; // standard error
};

// Runs build/tornuva-capture from the working directory with the given arguments, with
// `environment` (NAME=value words) added to the environment.
CaptureRun runCapture(const std::vector<std::string>& args,
                      const std::vector<std::string>& environment = {});

// A path in this suite's output folder, removed first if present.
std::string freshOutput(const std::string& name);
