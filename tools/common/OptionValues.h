#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

// Values of the tools' command-line options, checked as they are read. Every message names
// the option and the text that was wrong with it.

// A command line that cannot be carried out; the message says why, for the user.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One word of the command line: "--name=value" split at its first '=', any other word a name
// whose value, if it takes one, is the next word.
struct OptionWord {
    std::string name;
    std::optional<std::string> value;
};

OptionWord splitOptionWord(const std::string& word);

// Digits only, at most `most`: no sign, no spaces, no suffix.
std::uint64_t parseWhole(const std::string& option, const std::string& text, std::uint64_t most);

int parseInt(const std::string& option, const std::string& text, int least, int most);

// A moment of the show in milliseconds, 0 to its last frame.
std::uint32_t parseTime(const std::string& option, const std::string& text);

struct PixelSize {
    int width;
    int height;
};

// WIDTHxHEIGHT, each side 16 to 16384 pixels.
PixelSize parseSize(const std::string& option, const std::string& text);
