#pragma once

#include <memory>

#include <SDL_ttf.h>

#include "gfx/Texture.h"

// The 32-bit ARGB surface with alpha that the font engine renders a line of text into.
using TextSurface = SDL_Surface;

struct TextSurfaceFree {
    void operator()(TextSurface* surface) const { SDL_FreeSurface(surface); }
};
using TextSurfacePtr = std::unique_ptr<TextSurface, TextSurfaceFree>;

// Renders one anti-aliased line; throws std::runtime_error naming the text and the font
// engine's reason when nothing can be rendered.
TextSurfacePtr renderText(TTF_Font* font, const char* text, SDL_Color colour);

// Uploads the surface's rows as they are (text top at t = 0), no mipmaps, with the given
// filter for both minification and magnification. Leaves the unpack row length at pitch / 4.
void makeTextTexture(const TextSurface& surface, Texture& texture, GLint finalFilter);

// A text texture with the pixel size of the line it was rendered from.
struct TextTexture {
    Texture texture;
    int width = 0;
    int height = 0;

    float widthOverHeight() const { return static_cast<float>(width) / static_cast<float>(height); }
};

// Renders the text and uploads it into the text texture in one go.
void makeTextTexture(TTF_Font* font, const char* text, SDL_Color colour, GLint finalFilter,
                     TextTexture& target);
