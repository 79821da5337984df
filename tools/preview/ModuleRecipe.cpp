#include "ModuleRecipe.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using JsonObject = std::map<std::string, std::string>;

std::string readText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The JSON string starting at the quote `at` points to, unescaped; `at` ends past it.
std::string readJsonString(const std::string& text, std::size_t& at) {
    std::string value;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && ++at < text.size()) {
            const char escaped = text[at];
            value += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        } else {
            value += text[at];
        }
    }
    ++at;
    return value;
}

// The "key": "value" pairs of each object of a JSON array of flat objects, such as
// compile_commands.json.
std::vector<JsonObject> readFlatJson(const std::string& text) {
    std::vector<JsonObject> objects;
    std::optional<std::string> key;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '{') {
            objects.emplace_back();
        } else if (c == '"' && !objects.empty()) {
            std::string word = readJsonString(text, at);
            if (key) {
                objects.back()[*key] = std::move(word);
                key.reset();
            } else {
                key = std::move(word);
            }
            continue;
        }
        ++at;
    }
    return objects;
}

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The files of sourceDir a unit read when last compiled, from the dependency list the compiler
// wrote beside its object.
std::vector<fs::path> filesRead(const UnitRecipe& unit, const fs::path& sourceDir) {
    std::ifstream list(unit.folder / (unit.object.string() + ".d"));
    std::vector<fs::path> files;
    const std::string inside = sourceDir.string() + "/";
    for (std::string word; list >> word;) {
        if (word.rfind(inside, 0) == 0) {
            files.emplace_back(word);
        }
    }
    return files;
}

} // namespace

ModuleRecipe readModuleRecipe(const fs::path& buildDir, const std::string& module) {
    const std::string objects = "CMakeFiles/" + module + ".dir/";
    const std::string output = " -o " + objects;
    ModuleRecipe recipe;
    for (const JsonObject& entry : readFlatJson(readText(buildDir / "compile_commands.json"))) {
        const auto command = entry.find("command");
        const std::size_t at =
            command == entry.end() ? std::string::npos : command->second.find(output);
        if (at == std::string::npos) {
            continue;
        }
        const std::size_t from = at + 4;
        const std::string object =
            command->second.substr(from, command->second.find(' ', from) - from);
        // The precompiled header is the whole build's to make: the units read it as they compile.
        if (fs::path(object).extension() == ".gch") {
            continue;
        }
        recipe.units.push_back({entry.at("file"), entry.at("directory"), command->second, object});
    }
    if (recipe.units.empty()) {
        throw std::runtime_error(buildDir.string() + " records no compile of " + module);
    }
    recipe.linkFolder = recipe.units.front().folder;
    recipe.link = readText(recipe.linkFolder / objects / "link.txt");
    return recipe;
}

StaleUnits staleUnits(const ModuleRecipe& recipe, const fs::path& sourceDir,
                      fs::file_time_type since) {
    StaleUnits stale{{}, fs::file_time_type::min()};
    for (const UnitRecipe& unit : recipe.units) {
        bool changed = !fs::exists(unit.folder / unit.object);
        for (const fs::path& file : filesRead(unit, sourceDir)) {
            std::error_code gone;
            const fs::file_time_type written = fs::last_write_time(file, gone);
            if (!gone && written >= since) {
                changed = true;
                stale.newestWrite = std::max(stale.newestWrite, written);
            }
        }
        if (changed) {
            stale.units.push_back(unit);
        }
    }
    return stale;
}

std::string compileScript(const std::vector<UnitRecipe>& units, const fs::path& buildDir) {
    std::string script = "units=\n";
    for (const UnitRecipe& unit : units) {
        const std::string object = unit.object.string();
        const std::string target = (unit.folder.lexically_relative(buildDir) / object).string();
        script += "(cd " + shellQuoted(unit.folder.string()) + " && " + unit.command + " -MD -MT " +
                  shellQuoted(target) + " -MF " + shellQuoted(object + ".d") +
                  ") &\nunits=\"$units $!\"\n";
    }
    return script + "failed=0\nfor unit in $units; do wait \"$unit\" || failed=1; done\n"
                    "exit $failed\n";
}

std::string linkScript(const ModuleRecipe& recipe) {
    return "cd " + shellQuoted(recipe.linkFolder.string()) + " && " + recipe.link;
}
