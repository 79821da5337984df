#include "ToolOptions.h"

#include <cstdio>
#include <stdexcept>

namespace {

constexpr std::string_view kDataJoined = "--data=";

// The folder after "--data" or "--data="; empty when there is none.
std::string dataFolderAt(const std::vector<std::string>& args, std::size_t& i) {
    if (args[i] != "--data") {
        return args[i].substr(kDataJoined.size());
    }
    return i + 1 < args.size() ? args[++i] : "";
}

} // namespace

ToolOptions takeToolOptions(const std::vector<std::string>& args) {
    ToolOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--version") {
            options.version = true;
        } else if (args[i] == "--data" || args[i].starts_with(kDataJoined)) {
            const std::string folder = dataFolderAt(args, i);
            if (folder.empty()) {
                throw std::invalid_argument("--data needs the folder that holds Data/");
            }
            options.dataFolder = folder;
        } else {
            options.rest.push_back(args[i]);
        }
    }
    return options;
}

std::string versionText(const std::string& program) {
    return program + " " TORNUVA_VERSION "\n"
                     "Copyright (c) 2026 the Tornuva developers\n"
                     "Licence: MIT (SPDX MIT), free to use, change and share; no warranty.";
}

void enterDataFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder / "Data", error)) {
        throw std::runtime_error("--data " + folder.string() + ": there is no Data/ folder in it");
    }
    std::filesystem::current_path(folder);
}

void printToolError(const char* program, const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", program, error.what());
}
