#pragma once

#include <cstdint>

struct Show;

// Draws the whole frame at t: the prologue, then every scene whose window holds t, in
// timeline order. Everything but the static's generator is a function of t alone.
void drawFrame(Show& show, std::uint32_t t);

// Puts the static's generator where it is after the show has drawn `frames` frames of
// static, so that a frame drawn out of order shows the static it shows in the show.
void setStaticFramesDrawn(Show& show, std::uint64_t frames);
