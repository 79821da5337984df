#pragma once

#include "procedural/Mt19937.h"

struct Show;

// One frame's mirroring and texture offset of the static.
struct StaticFrame {
    float signX;
    float signY;
    float offsetU;
    float offsetV;
};

// Draws exactly four words: the signs from the lowest bits of the first two, the offsets
// from the unit fractions of the other two.
StaticFrame drawStaticFrame(Mt19937& staticRng);

// Full-screen television static, mirrored and shifted afresh every frame.
void StaticScene(Show& show);
