#pragma once

#include <memory>
#include <vector>

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

// A run of columns of a text line wider than the GL implementation's largest texture.
struct TextPiece {
    Texture texture;
    int left = 0; // first pixel column of the line in this piece
    int width = 0;
};

// A text texture with the pixel size of the line it was rendered from. A line wider than the
// largest texture is kept in pieces side by side: `texture` holds the leftmost, `morePieces`
// the rest from left to right; a line that fits has no further pieces.
struct TextTexture {
    Texture texture;
    int width = 0;
    int height = 0;
    int firstPieceWidth = 0;
    std::vector<TextPiece> morePieces;

    float widthOverHeight() const { return static_cast<float>(width) / static_cast<float>(height); }
};

// Uploads the surface into the text texture, in pieces no wider than maxWidth pixels when it
// is wider; each piece as makeTextTexture above does for a whole line.
void makeTextTexture(const TextSurface& surface, TextTexture& target, GLint finalFilter,
                     int maxWidth);

// Renders the text and uploads it into the text texture in one go, in pieces when the line
// is wider than the largest texture the GL implementation takes.
void makeTextTexture(TTF_Font* font, const char* text, SDL_Color colour, GLint finalFilter,
                     TextTexture& target);

// Draws the line as quads from x 0 to `length` and y 0.5 (text top) to -0.5 in the current
// modelview, with the line's first texture already bound on unit 0. A line in one texture is
// one quad; a line in pieces is one quad per piece, each bound in turn, looking the same.
void drawTextLine(const TextTexture& text, float length);
