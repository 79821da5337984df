#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

#include "RgbaImage.h"

// A child process started as a user would start it, ended by the test if still running.
class ChildProcess {
public:
    // Runs argv[0] with the extra NAME=value settings added to this process's environment,
    // in the given working directory, with standard error written to errorFile.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::filesystem::path& workingDirectory,
                 const std::filesystem::path& errorFile = "/dev/null");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // The exit status once the process has ended within the timeout; -signal when a signal
    // ended it; nothing if it is still running.
    std::optional<int> waitFor(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// A private X server of the given screen size with a window manager, for one test.
class VirtualDisplay {
public:
    VirtualDisplay(int width, int height);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // The DISPLAY value, e.g. ":7".
    const std::string& name() const { return name_; }

private:
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::string name_;
};

// Runs a shell command and returns what it printed on standard output, byte for byte.
std::string commandOutput(const std::string& command);

// Waits for a window whose title matches exactly; 0 on timeout.
unsigned long waitForWindow(const VirtualDisplay& display, const std::string& title,
                            std::chrono::milliseconds timeout);

struct WindowSize {
    int width;
    int height;
    bool operator==(const WindowSize&) const = default;
};

WindowSize windowSize(const VirtualDisplay& display, unsigned long window);

// What the screen shows from (x, y), the top-left, width by height: black when it cannot be read.
RgbaImage screenImage(const VirtualDisplay& display, int x, int y, int width, int height);
// The colour shown on the screen at (x, y) from the top-left, as red, green, blue.
std::array<int, 3> screenPixel(const VirtualDisplay& display, int x, int y);

// Asks the window to close, as a window manager's close button does.
void requestClose(const VirtualDisplay& display, unsigned long window);

std::string readFile(const std::filesystem::path& path);

// Why a test may wait in vain for the error box.
inline constexpr char kNoErrorBox[] =
    "no error box appeared: SDL draws its X11 message box with X core fonts, and where none "
    "are installed (xfonts-base) it shows no box at all";

// The real program started from a folder holding Data/, on a private X server of the given
// size, with audio on SDL's dummy driver unless the extra NAME=value settings choose another,
// and standard error kept in a file.
class ProgramRun {
public:
    ProgramRun(const std::string& program, const std::filesystem::path& root, int screenWidth,
               int screenHeight, const std::vector<std::string>& environment = {});

    const VirtualDisplay& display() const { return display_; }
    ChildProcess& process() { return process_; }
    std::string errors() const { return readFile(errors_); }
    // Sends key presses, e.g. "Escape", to the focused window.
    void key(const std::string& name) const;

private:
    VirtualDisplay display_;
    std::filesystem::path errors_;
    ChildProcess process_;
};
