// tornuva-assets OUTPUT_DIR: writes every picture, the music and the font the show reads.
#include "images.h"
#include "music.h"
#include "ogg_writer.h"
#include "text.h"

#include <stb_image_write.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#ifndef TORNUVA_FONT_PATH
#define TORNUVA_FONT_PATH "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraMoBd.ttf"
#endif

namespace {

// At 90 and below the encoder halves the colour resolution both ways, which cuts the
// decoding time of the two photographs at start-up; their soft colours lose nothing visible.
constexpr int kJpegQuality = 90;

void writeImage(const std::filesystem::path& path, const assets::Image& img) {
    std::string name = path.string();
    bool ok = path.extension() == ".jpg"
                  ? stbi_write_jpg(name.c_str(), img.width, img.height, img.channels,
                                   img.pixels.data(), kJpegQuality) != 0
                  : stbi_write_png(name.c_str(), img.width, img.height, img.channels,
                                   img.pixels.data(), img.width * img.channels) != 0;
    if (!ok)
        throw std::runtime_error("cannot write " + name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        std::filesystem::copy_file(TORNUVA_FONT_PATH, out / "VeraMoBd.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        assets::Font font(TORNUVA_FONT_PATH);
        for (const assets::ImageAsset& a : assets::imageAssets())
            writeImage(out / a.file, a.draw(font));
        assets::writeOggVorbis(out / "bossanova.ogg", assets::composeBossaNova());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tornuva-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
