#include "support/Process.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

int decodeStatus(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
}

pid_t startQuietly(const std::vector<std::string>& argv) {
    std::vector<std::string> args = argv;
    std::vector<char*> argPointers = pointers(args);
    const pid_t pid = fork();
    if (pid == 0) {
        const int nullFd = open("/dev/null", O_RDWR);
        dup2(nullFd, STDOUT_FILENO);
        dup2(nullFd, STDERR_FILENO);
        execvp(argPointers[0], argPointers.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// A window may vanish between listing it and reading its title, as the program opens and
// closes its windows; Xlib's default handler would end the test process for that.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

struct XConnection {
    explicit XConnection(const VirtualDisplay& display) : x(XOpenDisplay(display.name().c_str())) {
        XSetErrorHandler(ignoreXError);
        if (!x) {
            throw std::runtime_error("cannot open " + display.name());
        }
    }
    ~XConnection() { XCloseDisplay(x); }
    Display* x;
};

Window findByTitle(Display* x, Window window, const std::string& title) {
    // The raw title bytes, whatever their declared encoding.
    XTextProperty name{};
    if (XGetWMName(x, window, &name) && name.value) {
        const bool match = title == reinterpret_cast<const char*>(name.value);
        XFree(name.value);
        if (match) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(x, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            found = findByTitle(x, children[i], title);
        }
        XFree(children);
    }
    return found;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment,
                           const std::filesystem::path& workingDirectory,
                           const std::filesystem::path& errorFile) {
    std::vector<std::string> args = argv;
    // The given settings replace any inherited ones of the same name (DISPLAY above all).
    std::vector<std::string> env = environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string inherited = *entry;
        const std::string name = inherited.substr(0, inherited.find('=') + 1);
        const bool overridden = std::any_of(env.begin(), env.end(), [&](const std::string& s) {
            return s.compare(0, name.size(), name) == 0;
        });
        if (!overridden) {
            env.push_back(inherited);
        }
    }
    std::vector<char*> argPointers = pointers(args);
    std::vector<char*> envPointers = pointers(env);
    const std::string directory = workingDirectory.string();
    const std::string errors = errorFile.string();

    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        const int errorFd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int nullFd = open("/dev/null", O_RDWR);
        dup2(nullFd, STDIN_FILENO);
        dup2(nullFd, STDOUT_FILENO);
        dup2(errorFd, STDERR_FILENO);
        if (chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        execve(argPointers[0], argPointers.data(), envPointers.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (!status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!status_) {
        int raw = 0;
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = decodeStatus(raw);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return status_;
}

VirtualDisplay::VirtualDisplay(int width, int height) {
    std::array<int, 2> pipeFds{};
    if (pipe(pipeFds.data()) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = startQuietly({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                            screen, "-nolisten", "tcp"});
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(pipeFds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    name_ = ":" + number;
    // Full-screen desktop windows are the window manager's to size, as on a real desktop.
    windowManager_ =
        startQuietly({"env", "DISPLAY=" + name_, "matchbox-window-manager", "-use_titlebar", "no"});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

VirtualDisplay::~VirtualDisplay() {
    stop(windowManager_);
    stop(server_);
}

std::string commandOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        throw std::runtime_error("cannot run " + command);
    }
    // Read in blocks: the output may be binary, such as raw audio samples.
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), got);
    }
    pclose(pipe);
    return output;
}

unsigned long waitForWindow(const VirtualDisplay& display, const std::string& title,
                            std::chrono::milliseconds timeout) {
    const XConnection connection(display);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const Window found = findByTitle(connection.x, DefaultRootWindow(connection.x), title);
        if (found) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

WindowSize windowSize(const VirtualDisplay& display, unsigned long window) {
    const XConnection connection(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(connection.x, window, &attributes);
    return {attributes.width, attributes.height};
}

std::array<int, 3> screenPixel(const VirtualDisplay& display, int x, int y) {
    const XConnection connection(display);
    XImage* image =
        XGetImage(connection.x, DefaultRootWindow(connection.x), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        return {-1, -1, -1};
    }
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF)};
}

void requestClose(const VirtualDisplay& display, unsigned long window) {
    const XConnection connection(display);
    Display* x = connection.x;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

namespace {

std::vector<std::string> withDisplay(const VirtualDisplay& display,
                                     std::vector<std::string> environment) {
    environment.insert(environment.end(), {"DISPLAY=" + display.name(), "SDL_AUDIODRIVER=dummy"});
    return environment;
}

} // namespace

ProgramRun::ProgramRun(const std::string& program, const std::filesystem::path& root,
                       int screenWidth, int screenHeight,
                       const std::vector<std::string>& environment)
    : display_(screenWidth, screenHeight), errors_(root / "stderr.txt"),
      process_({program}, withDisplay(display_, environment), root, errors_) {}

void ProgramRun::key(const std::string& name) const {
    commandOutput("DISPLAY=" + display_.name() + " xdotool key " + name + " 2>/dev/null");
}
