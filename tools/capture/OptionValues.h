#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Values of the tools' command-line options, checked as they are read. Every message names
// the option and the text that was wrong with it.

// A command line that cannot be carried out; the message says why, for the user.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
