#include "support/Process.h"

#include <cstdio>
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

// The given settings go first, so that they may choose another audio driver.
std::vector<std::string> withDisplay(const VirtualDisplay& display,
                                     std::vector<std::string> environment) {
    environment.insert(environment.end(), {"DISPLAY=" + display.name(), "SDL_AUDIODRIVER=dummy"});
    return environment;
}

// The given settings go first, so that they win over inherited ones of the same name.
std::vector<std::string> environmentWith(std::vector<std::string> settings) {
    for (char** entry = environ; *entry; ++entry) {
        settings.emplace_back(*entry);
    }
    return settings;
}

pid_t start(std::vector<std::string> argv, std::vector<std::string> environment,
            const std::string& directory, const std::string& errors) {
    std::vector<char*> args = pointers(argv);
    std::vector<char*> env = pointers(environment);
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        const int nullFd = open("/dev/null", O_RDWR);
        dup2(nullFd, STDIN_FILENO);
        dup2(nullFd, STDOUT_FILENO);
        dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        if (chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    return pid;
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
                           const std::filesystem::path& errorFile)
    : pid_(start(argv, environmentWith(environment), workingDirectory, errorFile)) {}

ChildProcess::~ChildProcess() {
    if (!status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int raw = 0;
    while (!status_) {
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return status_;
}

VirtualDisplay::VirtualDisplay(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = start(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"},
        environmentWith({}), ".", "/dev/null");
    close(fds[1]);
    std::string number;
    for (char c = 0; read(fds[0], &c, 1) == 1 && c != '\n';) {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    name_ = ":" + number;
    // Full-screen desktop windows are the window manager's to size, as on a real desktop.
    windowManager_ = start({"matchbox-window-manager", "-use_titlebar", "no"},
                           environmentWith({"DISPLAY=" + name_}), ".", "/dev/null");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

VirtualDisplay::~VirtualDisplay() {
    for (const pid_t pid : {windowManager_, server_}) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

std::string commandOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        throw std::runtime_error("cannot run " + command);
    }
    // Read in blocks: the output may be binary, such as raw audio samples.
    std::string output;
    char buffer[4096];
    for (std::size_t got = 0; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    pclose(pipe);
    return output;
}

unsigned long waitForWindow(const VirtualDisplay& display, const std::string& title,
                            std::chrono::milliseconds timeout) {
    const XConnection connection(display);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const Window found =
                findByTitle(connection.x, DefaultRootWindow(connection.x), title)) {
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

RgbaImage screenImage(const VirtualDisplay& display, int x, int y, int width, int height) {
    const XConnection connection(display);
    XImage* image = XGetImage(connection.x, DefaultRootWindow(connection.x), x, y, unsigned(width),
                              unsigned(height), AllPlanes, ZPixmap);
    RgbaImage pixels(width, height);
    for (int row = 0; image && row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long value = XGetPixel(image, column, row);
            std::uint8_t* pixel = pixels.at(column, row);
            pixel[0] = std::uint8_t(value >> 16);
            pixel[1] = std::uint8_t(value >> 8);
            pixel[2] = std::uint8_t(value);
            pixel[3] = 255;
        }
    }
    if (image) {
        XDestroyImage(image);
    }
    return pixels;
}

std::array<int, 3> screenPixel(const VirtualDisplay& display, int x, int y) {
    const RgbaImage pixel = screenImage(display, x, y, 1, 1);
    return {pixel.pixels[0], pixel.pixels[1], pixel.pixels[2]};
}

void requestClose(const VirtualDisplay& display, unsigned long window) {
    const XConnection connection(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(connection.x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(connection.x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(connection.x, window, False, NoEventMask, &event);
    XFlush(connection.x);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

ProgramRun::ProgramRun(const std::string& program, const std::filesystem::path& root,
                       int screenWidth, int screenHeight,
                       const std::vector<std::string>& environment)
    : display_(screenWidth, screenHeight), errors_(root / "stderr.txt"),
      process_({program}, withDisplay(display_, environment), root, errors_) {}

void ProgramRun::key(const std::string& name) const {
    commandOutput("DISPLAY=" + display_.name() + " xdotool key " + name + " 2>/dev/null");
}
