#pragma once

#include <filesystem>
#include <string>
#include <vector>

// How a build tree compiles one unit of the drawing module: the command its generator wrote
// down, run in its folder.
struct UnitRecipe {
    std::filesystem::path source;
    std::filesystem::path folder;
    std::string command;
    std::filesystem::path object; // relative to the folder
};

// The module's units and its link, as the build tree's compile_commands.json and its
// generator's link.txt give them, for building a changed unit without the whole build's
// checks. Throws std::runtime_error when the tree holds no such record of the module.
struct ModuleRecipe {
    std::vector<UnitRecipe> units;
    std::filesystem::path linkFolder;
    std::string link;
};

ModuleRecipe readModuleRecipe(const std::filesystem::path& buildDir, const std::string& module);

// The units whose source, or a file of sourceDir they included when last compiled, was
// written at or after `since` (or that were never compiled), and the newest such write.
struct StaleUnits {
    std::vector<UnitRecipe> units;
    std::filesystem::file_time_type newestWrite;
};
StaleUnits staleUnits(const ModuleRecipe& recipe, const std::filesystem::path& sourceDir,
                      std::filesystem::file_time_type since);

// One shell script compiling the units side by side, each also writing the list of files it
// read as the build itself does; it fails when any of them does.
std::string compileScript(const std::vector<UnitRecipe>& units,
                          const std::filesystem::path& buildDir);

// The shell script that links the module from its units' objects.
std::string linkScript(const ModuleRecipe& recipe);
