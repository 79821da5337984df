#pragma once

struct Platform;
struct Show;

// Draws and shows frames until the show's end, a quit request or Escape.
void runFrameLoop(const Platform& platform, Show& show);
