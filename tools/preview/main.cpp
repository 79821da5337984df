#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Preview.h"
#include "PreviewOptions.h"
#include "ToolOptions.h"

namespace {

PlatformRequest platformFor(const PreviewOptions& options) {
    const Uint32 mode = options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    const int height = options.height + (options.strip ? Strip::kHeight : 0);
    return {.window = {.title = "Tornuva preview",
                       .width = options.width,
                       .height = height,
                       .flags = mode | SDL_WINDOW_RESIZABLE,
                       .hideCursor = false},
            .sound = true,
            .esContext = false};
}

} // namespace

int main(int argc, char** argv) {
    ToolOptions common;
    PreviewOptions options;
    std::optional<LiveTree> liveTree;
    try {
        common = takeToolOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (common.version) {
            std::puts(versionText("tornuva-preview").c_str());
            return 0;
        }
        options = parsePreviewOptions(common.rest);
        if (options.live && !options.help) {
            liveTree = findLiveTree(options.buildDir);
        }
    } catch (const std::exception& error) {
        printToolError("tornuva-preview", error);
        return 2;
    }
    if (options.help) {
        std::fputs(previewUsage().c_str(), stdout);
        return 0;
    }
    // Saved frames go where the user started the preview, whichever folder Data/ is read from.
    const std::filesystem::path saveFolder = std::filesystem::current_path();
    try {
        if (common.dataFolder) {
            enterDataFolder(*common.dataFolder);
        }
        auto live = liveTree ? std::make_unique<LiveCode>(*liveTree) : nullptr;
        ToolPlatform platform(platformFor(options));
        Preview preview(platform, options, saveFolder, std::move(live));
        preview.run();
    } catch (const std::exception& failure) {
        printToolError("tornuva-preview", failure);
        return 1;
    }
    return 0;
}
