#pragma once

#include <cstdint>

struct Show;

// Draws the whole frame at t: the prologue, then every scene whose window holds t, in
// timeline order. Besides t, it depends on the static's generator and on the blend function
// and colour that earlier frames left.
void drawFrame(Show& show, std::uint32_t t);

// Puts back the blend function and colour that a new GL context starts with and that the
// scenes carry from frame to frame, so that a frame drawn right after a jump in time looks as
// in a capture of that moment alone (the banner alone on black replaces, it does not blend).
void restoreStartingState();

// Puts the static's generator where it is after the show has drawn `frames` frames of
// static, so that a frame drawn out of order shows the static it shows in the show.
void setStaticFramesDrawn(Show& show, std::uint64_t frames);
