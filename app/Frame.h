#pragma once

#include <cstdint>

struct Show;

// Draws the whole frame at t: the prologue, then every scene whose window holds t, in
// timeline order. Everything but the static's generator is a function of t alone.
void drawFrame(Show& show, std::uint32_t t);
