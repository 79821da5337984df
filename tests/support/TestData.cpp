#include "support/TestData.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <stb_image_write.h>
#include <stdlib.h>

const std::array<TestImage, 14> kTestImages = {{
    {"channel.png", 4, {255, 0, 0, 255}},
    {"noise.png", 4, {128, 128, 128, 255}},
    {"can1.png", 4, {0, 255, 0, 255}},
    {"can2.png", 4, {0, 0, 255, 255}},
    {"delicacies.png", 4, {255, 255, 0, 255}},
    {"rovaska.png", 4, {255, 0, 255, 255}},
    {"selkavo-logo.png", 4, {0, 255, 255, 255}},
    {"birch-low-contrast.jpg", 3, {200, 200, 200, 255}},
    {"haircut.jpg", 3, {120, 60, 30, 255}},
    {"waves.png", 4, {255, 255, 255, 255}},
    {"sun.png", 4, {255, 200, 0, 255}},
    {"boat.png", 4, {90, 40, 200, 255}},
    {"boat-topdown.png", 4, {40, 200, 90, 255}},
    {"vane.png", 4, {250, 120, 120, 255}},
}};

void writeImage(const std::filesystem::path& path, int width, int height, int channels,
                const std::uint8_t* pixels) {
    const std::string file = path.string();
    const bool written =
        path.extension() == ".jpg"
            ? stbi_write_jpg(file.c_str(), width, height, channels, pixels, 100)
            : stbi_write_png(file.c_str(), width, height, channels, pixels, width * channels);
    if (!written) {
        throw std::runtime_error("cannot write " + file);
    }
}

void writeFlatImage(const std::filesystem::path& path, int width, int height, int channels,
                    const std::array<std::uint8_t, 4>& colour) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), colour.begin(), colour.begin() + channels);
    }
    writeImage(path, width, height, channels, pixels.data());
}

TestDataDir::TestDataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tornuva-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    root_ = pattern;
    std::filesystem::create_directory(root_ / "Data");
    std::filesystem::copy_file(kSystemFont, data("VeraMoBd.ttf"));
    for (const TestImage& image : kTestImages) {
        writeFlatImage(data(image.name), 8, 8, image.channels, image.colour);
    }
}

TestDataDir::~TestDataDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

namespace {

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void appendChunk(std::string& out, const std::string& type, const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    out += type + data;
    appendBigEndian(out, crc32(type + data));
}

// A zlib stream of stored (uncompressed) blocks.
std::string storedZlib(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out += raw.substr(at, length);
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : raw) {
        a = (a + static_cast<std::uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

void writePng16(const std::filesystem::path& path, int width, int height, int channels,
                const std::uint16_t* samples) {
    static constexpr char kColourTypes[] = {0, 0, 4, 2, 6};
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += {16, kColourTypes[channels], 0, 0, 0};
    std::string raw;
    const std::size_t rowSamples = static_cast<std::size_t>(width) * channels;
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // no filter
        for (std::size_t i = 0; i < rowSamples; ++i) {
            const std::uint16_t sample = samples[static_cast<std::size_t>(y) * rowSamples + i];
            raw += static_cast<char>(sample >> 8);
            raw += static_cast<char>(sample & 0xFF);
        }
    }
    std::string file = "\x89PNG\r\n\x1a\n";
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", storedZlib(raw));
    appendChunk(file, "IEND", "");
    writeBytes(path, file);
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}
