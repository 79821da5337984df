#include "support/TestData.h"

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

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}
