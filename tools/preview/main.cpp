#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "Preview.h"
#include "PreviewOptions.h"
#include "ToolOptions.h"

namespace {

PlatformRequest platformFor(const PreviewOptions& options) {
    const Uint32 mode = options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    return {{"Tornuva preview", options.width, options.height, mode | SDL_WINDOW_RESIZABLE, false},
            true,
            false};
}

} // namespace

int main(int argc, char** argv) {
    ToolOptions common;
    PreviewOptions options;
    try {
        common = takeToolOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (common.version) {
            std::puts(versionText("tornuva-preview").c_str());
            return 0;
        }
        options = parsePreviewOptions(common.rest);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tornuva-preview: %s\n", error.what());
        return 2;
    }
    if (options.help) {
        std::fputs(previewUsage().c_str(), stdout);
        return 0;
    }
    // As in the show, the platform's handles live until the process ends.
    static Platform platform;
    // Saved frames go where the user started the preview, whichever folder Data/ is read from.
    const std::filesystem::path saveFolder = std::filesystem::current_path();
    try {
        if (common.dataFolder) {
            enterDataFolder(*common.dataFolder);
        }
        openPlatform(platform, platformFor(options));
        Preview preview(platform, options, saveFolder);
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
