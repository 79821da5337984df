#pragma once

#include <cstdint>

struct Show;

// The voyage's motion starts at this moment; its first frame is the first after it.
inline constexpr std::uint32_t kVoyageStartMs = 35000;

// The ferry's side view crossing between land and sea under a bobbing sun, the waves
// sliding along the waterline and the greeting scrolling past.
void VoyageScene(const Show& show, std::uint32_t t);
