#pragma once

#include <cstdio>
#include <string>

// What the capture needs differently on each system, one unit per system:
// CaptureSystemPosix.cpp (Linux) and CaptureSystemWindows.cpp.

// Whether the stream goes to an interactive terminal, where a progress bar is redrawn in place.
bool isTerminal(std::FILE* stream);

// A reader that quits surfaces as a failed write rather than ending the process.
void ignoreBrokenPipes();

// The ffmpeg that encodes videos; throws std::runtime_error saying how to get one, or why this
// system's capture writes no video.
std::string requireFfmpeg();

// Runs the command through the shell with a pipe to its standard input; throws
// std::runtime_error when it cannot start.
std::FILE* startFeeding(const std::string& command);

// Closes the pipe and waits for the command: its exit status, or -1 when it did not exit.
int finishFeeding(std::FILE* pipe);
