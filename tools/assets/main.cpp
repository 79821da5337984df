// tornuva-assets OUTPUT_DIR: writes every picture, the music and the font the show reads.
#include "images.h"
#include "music.h"
#include "ogg_writer.h"
#include "text.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// At 90 and below the encoder halves the colour resolution both ways, which cuts the
// decoding time of the two photographs at start-up; their soft colours lose nothing visible.
constexpr int kJpegQuality = 90;

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// A PNG whose rows are unfiltered and whose zlib stream holds stored blocks only: several
// times larger on disk than a compressed one, but decoding it at start-up is little more than
// a copy, where inflating and unfiltering cost the show about a millisecond per sprite.
std::vector<std::uint8_t> storedPng(const assets::Image& img) {
    const std::size_t rowBytes = static_cast<std::size_t>(img.width) * img.channels;
    std::vector<std::uint8_t> rows;
    rows.reserve((rowBytes + 1) * img.height);
    for (int y = 0; y < img.height; ++y) {
        rows.push_back(0); // filter type None
        const auto row = img.pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }

    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min<std::size_t>(rows.size() - done, 65535);
        const bool last = done + length == rows.size();
        zlib.push_back(last ? 1 : 0); // stored block, final or not
        zlib.push_back(static_cast<std::uint8_t>(length));
        zlib.push_back(static_cast<std::uint8_t>(length >> 8));
        zlib.push_back(static_cast<std::uint8_t>(~length));
        zlib.push_back(static_cast<std::uint8_t>(~length >> 8));
        zlib.insert(zlib.end(), rows.begin() + static_cast<std::ptrdiff_t>(done),
                    rows.begin() + static_cast<std::ptrdiff_t>(done + length));
        done += length;
    } while (done < rows.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : rows) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(zlib, (b << 16) | a);

    static const std::uint8_t kColourType[] = {0, 0, 4, 2, 6}; // by channel count
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(img.width));
    putBigEndian(header, static_cast<std::uint32_t>(img.height));
    header.insert(header.end(), {8, kColourType[img.channels], 0, 0, 0});

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    return png;
}

void writeImage(const std::filesystem::path& path, const assets::Image& img) {
    std::string name = path.string();
    bool ok = false;
    if (path.extension() == ".jpg") {
        ok = stbi_write_jpg(name.c_str(), img.width, img.height, img.channels, img.pixels.data(),
                            kJpegQuality) != 0;
    } else {
        const std::vector<std::uint8_t> png = storedPng(img);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(png.data()),
                   static_cast<std::streamsize>(png.size()));
        ok = static_cast<bool>(file);
    }
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
