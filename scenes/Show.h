#pragma once

#include "gfx/ScreenSpace.h"
#include "gfx/TextTexture.h"
#include "gfx/Texture.h"
#include "procedural/Mt19937.h"
#include "procedural/PermutationTable.h"

// Everything the scenes draw with, owned in one place. The textures are declared in the
// order start-up creates them, so they are destroyed in reverse order of creation.
struct Show {
    TextTexture windSpeedLabel;
    TextTexture scroller;
    Texture channel;
    Texture noise;
    Texture can1;
    Texture can2;
    Texture delicacies;
    Texture rovaska;
    Texture logo;
    Texture birch;
    Texture haircut;
    Texture waves;
    Texture sun;
    Texture boat;
    Texture boatTopDown;
    Texture vane;

    Screen screen;
    Mt19937 staticRng;
    Mt19937 shuffleRng;
    PermutationTable permutation{};
};
