#include "TextImage.h"

#include <cstring>

#include "gfx/TextTexture.h"

RgbaImage renderTextImage(TTF_Font* font, const char* text, SDL_Color colour) {
    const TextSurfacePtr surface = renderText(font, text, colour);
    RgbaImage image(surface->w, surface->h);
    // The surface's own format says where each channel sits; no layout is assumed.
    SDL_LockSurface(surface.get());
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Uint32 value = 0;
            std::memcpy(&value, row + x * 4, 4);
            std::uint8_t* out = image.at(x, y);
            SDL_GetRGBA(value, surface->format, &out[0], &out[1], &out[2], &out[3]);
        }
    }
    SDL_UnlockSurface(surface.get());
    return image;
}
