#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// One image file the show loads, written small and in a flat colour of its own so that a
// probe can tell which texture drew a pixel.
struct TestImage {
    const char* name;
    int channels; // 3 for the photographs, 4 for cut-out sprites
    std::array<std::uint8_t, 4> colour;
};

extern const std::array<TestImage, 14> kTestImages;

inline const std::filesystem::path kSystemFont =
    "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraMoBd.ttf";

// A fresh directory holding Data/ with the font and all fourteen images (no music), for the
// show to start from. Removed again by the owner.
class TestDataDir {
public:
    TestDataDir();
    ~TestDataDir();
    TestDataDir(const TestDataDir&) = delete;
    TestDataDir& operator=(const TestDataDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path data(const std::string& name) const { return root_ / "Data" / name; }

private:
    std::filesystem::path root_;
};

// Writes a width x height PNG or JPEG (by extension) of the given rows, top row first.
void writeImage(const std::filesystem::path& path, int width, int height, int channels,
                const std::uint8_t* pixels);

void writeFlatImage(const std::filesystem::path& path, int width, int height, int channels,
                    const std::array<std::uint8_t, 4>& colour);

// Writes the bytes as the whole file.
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
