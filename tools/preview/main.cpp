#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Preview.h"
#include "PreviewOptions.h"

namespace {

WindowRequest windowFor(const PreviewOptions& options) {
    const Uint32 mode = options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    return {"Tornuva preview", options.width, options.height, mode | SDL_WINDOW_RESIZABLE, false};
}

} // namespace

int main(int argc, char** argv) {
    PreviewOptions options;
    try {
        options = parsePreviewOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const OptionError& error) {
        std::fprintf(stderr, "tornuva-preview: %s\n", error.what());
        return 2;
    }
    if (options.help) {
        std::fputs(previewUsage().c_str(), stdout);
        return 0;
    }
    // As in the show, the platform's handles live until the process ends.
    static Platform platform;
    try {
        openPlatform(platform, windowFor(options));
        Preview preview(platform, options);
        preview.run();
    } catch (const std::exception& failure) {
        std::string message = failure.what();
        while (!message.empty() && message.back() == '\n') {
            message.pop_back();
        }
        std::fprintf(stderr, "tornuva-preview: %s\n", message.c_str());
        return 1;
    }
    return 0;
}
