#pragma once

#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What every tool takes besides its own options: --version, and --data DIR naming the folder
// that holds the show's Data/ (the launchers of an installed copy pass it).
struct ToolOptions {
    bool version = false;
    std::optional<std::filesystem::path> dataFolder;
    std::vector<std::string> rest; // the tool's own arguments, in their order
};

// Takes --version, --data DIR and --data=DIR out of the arguments after the program name; the
// last --data wins. Throws std::invalid_argument when --data names no folder.
ToolOptions takeToolOptions(const std::vector<std::string>& args);

// What --version prints: the program's name and the project's version on the first line (e.g.
// "tornuva-capture 1.0.0"), then the copyright holder and the licence.
std::string versionText(const std::string& program);

// Makes `folder` the working directory, so that Data/ is read from there as the show reads it.
// Paths given relative to the starting folder must be made absolute before. Throws
// std::runtime_error when the folder holds no Data/.
void enterDataFolder(const std::filesystem::path& folder);

// Prints "program: what went wrong" and a line break on standard error.
void printToolError(const char* program, const std::exception& error);
