#pragma once

#include <cstdint>

struct Show;
struct Screen;

// Where the moving parts of the voyage are at time t (t >= 35001), in world units.
float ferryCentreX(const Screen& screen, std::uint32_t t);
float wavesOffset(std::uint32_t t);
float sunBottomY(std::uint32_t t);
float scrollerLeftX(const Screen& screen, std::uint32_t t);

// The ferry's side view crossing between land and sea under a bobbing sun, the waves
// sliding along the waterline and the greeting scrolling past.
void VoyageScene(const Show& show, std::uint32_t t);
