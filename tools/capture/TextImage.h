#pragma once

#include <SDL_ttf.h>

#include "RgbaImage.h"

// One anti-aliased line of text in the given colour, its coverage in the alpha channel
// (straight, not premultiplied). Throws std::runtime_error when nothing can be rendered.
RgbaImage renderTextImage(TTF_Font* font, const char* text, SDL_Color colour);
