#include "gfx/TextTexture.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "gfx/Quads.h"

TextSurfacePtr renderText(TTF_Font* font, const char* text, SDL_Color colour) {
    TextSurfacePtr surface(TTF_RenderUTF8_Blended(font, text, colour));
    if (!surface) {
        throw std::runtime_error(std::string("Unable to render text \"") + text +
                                 "\": " + TTF_GetError());
    }
    return surface;
}

namespace {

// One piece of the surface, columns [left, left + width), uploaded as a whole line would be.
void uploadPiece(const TextSurface& surface, int left, int width, Texture& texture,
                 GLint finalFilter) {
    texture.regenerate();
    bindTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, surface.pitch / 4);
    const auto* firstColumn = static_cast<const std::uint8_t*>(surface.pixels) + 4 * left;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, surface.h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 firstColumn);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, finalFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, finalFilter);
}

void quad(float left, float right) {
    texturedCorners({left, 0.5f, right, -0.5f}, {0.0f, 0.0f, 1.0f, 1.0f});
}

} // namespace

void makeTextTexture(const TextSurface& surface, Texture& texture, GLint finalFilter) {
    uploadPiece(surface, 0, surface.w, texture, finalFilter);
}

void makeTextTexture(const TextSurface& surface, TextTexture& target, GLint finalFilter,
                     int maxWidth) {
    const int pieceCount = (surface.w + maxWidth - 1) / maxWidth;
    target.morePieces = std::vector<TextPiece>(pieceCount > 1 ? pieceCount - 1 : 0);
    target.width = surface.w;
    target.height = surface.h;
    if (pieceCount <= 1) {
        makeTextTexture(surface, target.texture, finalFilter);
        target.firstPieceWidth = surface.w;
        return;
    }
    target.firstPieceWidth = maxWidth;
    uploadPiece(surface, 0, maxWidth, target.texture, finalFilter);
    int left = maxWidth;
    for (TextPiece& piece : target.morePieces) {
        piece.left = left;
        piece.width = std::min(maxWidth, surface.w - left);
        uploadPiece(surface, piece.left, piece.width, piece.texture, finalFilter);
        left += piece.width;
    }
}

void makeTextTexture(TTF_Font* font, const char* text, SDL_Color colour, GLint finalFilter,
                     TextTexture& target) {
    const TextSurfacePtr surface = renderText(font, text, colour);
    makeTextTexture(*surface, target, finalFilter, maxTextureSide());
}

void drawTextLine(const TextTexture& text, float length) {
    if (text.morePieces.empty()) {
        glBegin(GL_QUADS);
        quad(0.0f, length);
        glEnd();
        return;
    }
    // Piece edges sit where the line's own columns fall, so the pieces join without a gap.
    const auto at = [&](int column) {
        return length * (static_cast<float>(column) / static_cast<float>(text.width));
    };
    glBegin(GL_QUADS);
    quad(0.0f, at(text.firstPieceWidth));
    glEnd();
    for (const TextPiece& piece : text.morePieces) {
        bindTexture(piece.texture);
        glBegin(GL_QUADS);
        quad(at(piece.left), at(piece.left + piece.width));
        glEnd();
    }
}
