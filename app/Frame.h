#pragma once

#include <cstdint>

struct Show;

// Draws the whole frame at t: the prologue, then every scene whose window holds t, in
// timeline order. Besides t, it depends on the static's generator and on the blend function
// and colour that earlier frames left.
void drawFrame(Show& show, std::uint32_t t);

// The rate of the capture that a moment drawn alone matches unless told otherwise: the
// preview steps by its frames and the web page's held moments are its frames.
inline constexpr int kCaptureFps = 60;

// Draws t as a capture from 0 at `fps` draws it, whatever was drawn before: from a fresh
// context's blend function and colour, with the static moved on by the frames before t.
void drawMomentAlone(Show& show, std::uint32_t t, int fps = kCaptureFps);

// Puts back the blend function and colour that a new GL context starts with and that the
// scenes carry from frame to frame, so that a frame drawn right after a jump in time looks as
// in a capture of that moment alone (the banner alone on black replaces, it does not blend).
void restoreStartingState();

// Puts the static's generator where it is after the show has drawn `frames` frames of
// static, so that a frame drawn out of order shows the static it shows in the show.
void setStaticFramesDrawn(Show& show, std::uint64_t frames);
