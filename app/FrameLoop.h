#pragma once

#include <cstdint>

struct Platform;
struct Show;

// Draws and shows frames until the show's end, a quit request or Escape.
void runFrameLoop(const Platform& platform, Show& show);

// One turn of the loop at show time t: the music once it is due, the frame, the swap and the
// queued events. False once the show has ended or the viewer asked to stop.
bool playFrame(const Platform& platform, Show& show, std::uint32_t t, bool& musicStarted);
