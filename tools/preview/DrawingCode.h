#pragma once

#include <cstdint>

struct Show;

// The entry points of the code that draws frames, as the preview calls them: those linked
// into it, or those of a build of the drawing module loaded while it runs.
struct DrawingCode {
    // Show's members as this code sees them, in order with their types, places and sizes: a
    // module built against another Show cannot draw this preview's.
    const char* showLayout;
    void (*drawMomentAlone)(Show& show, std::uint32_t t, int fps);
};

// What a build of the module exports under kDrawingCodeSymbol; the preview calls the copy
// linked into it.
extern "C" DrawingCode tornuvaDrawingCode();

inline constexpr char kDrawingCodeSymbol[] = "tornuvaDrawingCode";
