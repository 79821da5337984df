#include "gfx/TextTexture.h"

#include <stdexcept>
#include <string>

TextSurfacePtr renderText(TTF_Font* font, const char* text, SDL_Color colour) {
    TextSurfacePtr surface(TTF_RenderUTF8_Blended(font, text, colour));
    if (!surface) {
        throw std::runtime_error(std::string("Unable to render text \"") + text +
                                 "\": " + TTF_GetError() + "\n");
    }
    return surface;
}

void makeTextTexture(const TextSurface& surface, Texture& texture, GLint finalFilter) {
    texture.regenerate();
    bindTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, surface.pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, surface.w, surface.h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 surface.pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, finalFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, finalFilter);
}

void makeTextTexture(TTF_Font* font, const char* text, SDL_Color colour, GLint finalFilter,
                     TextTexture& target) {
    const TextSurfacePtr surface = renderText(font, text, colour);
    makeTextTexture(*surface, target.texture, finalFilter);
    target.width = surface->w;
    target.height = surface->h;
}
