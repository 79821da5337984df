#pragma once

#include <string>

// What the show says differently on each system it is built for, one unit per system:
// SystemPosix.cpp (Linux and the web page) and SystemWindows.cpp.

// Why OpenGL could not be loaded and what to do about it, given SDL's video driver; it
// follows "cannot load OpenGL" in the show's message.
std::string openGlAdvice(const char* videoDriver);
