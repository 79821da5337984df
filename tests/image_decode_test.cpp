#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "gfx/DecodedImage.h"
#include "gfx/ImageTexture.h"
#include "support/GlWindow.h"
#include "support/Process.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

std::string regression(const std::string& name) {
    return std::string(TORNUVA_SOURCE_DIR) + "/tests/fuzz/regressions/" + name;
}

std::string failureOf(const fs::path& file, int maxSide) {
    try {
        decodeImageFile(file.c_str(), maxSide);
    } catch (const std::runtime_error& failure) {
        return failure.what();
    }
    return "decoded";
}

TEST(DecodeImage, RefusesWhatItCannotHoldWithAMessage) {
    const TestDataDir data;
    const fs::path fifo = data.data("fifo.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    writeFlatImage(data.data("wide.png"), 17, 1, 3, {1, 2, 3, 255});
    writeFlatImage(data.data("tall.jpg"), 2, 17, 3, {1, 2, 3, 255});
    writeFlatImage(data.data("fits.png"), 16, 16, 4, {1, 2, 3, 4});
    const std::string tooLarge = "Image file too large: ";
    struct Case {
        fs::path file;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // Found by fuzzing: a Huffman table of more than 256 codes overran the decoder.
        {regression("huffman-table-overflow.jpg"),
         "Unable to decode image file: " + regression("huffman-table-overflow.jpg") + "\n"},
        // The same behind fill bytes before the start-of-image marker.
        {regression("huffman-table-overflow-after-fill-bytes.jpg"),
         "Unable to decode image file: " +
             regression("huffman-table-overflow-after-fill-bytes.jpg") + "\n"},
        // Neither may keep the show waiting.
        {fifo, "Unable to decode image file: " + fifo.string() + "\n"},
        {"/dev/zero", "Unable to decode image file: /dev/zero\n"},
        {data.root(), "Unable to decode image file: " + data.root().string() + "\n"},
        {data.data("wide.png"), tooLarge + data.data("wide.png").string() +
                                    " is 17 x 1 pixels, the largest texture side here is 16\n"},
        {data.data("tall.jpg"), tooLarge + data.data("tall.jpg").string() +
                                    " is 2 x 17 pixels, the largest texture side here is 16\n"},
        {data.data("fits.png"), "decoded"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureOf(c.file, 16), c.expected);
    }
}

TEST(DecodeImage, SixteenBitSamplesBecomeEightBitsAndRowsComeBottomFirst) {
    const TestDataDir data;
    // Three rows of one grey-and-alpha pixel each, an odd count so the middle row stays put.
    const std::array<std::uint16_t, 6> samples = {0x1000, 0xFFFF, 0x2000, 0x8000, 0x3000, 0x0000};
    writePng16(data.data("grey16.png"), 1, 3, 2, samples.data());
    const DecodedImage image = decodeImageFile(data.data("grey16.png").c_str(), 16);
    ASSERT_EQ(image.channels, 2);
    ASSERT_EQ(image.byteCount(), 6u);
    const std::vector<std::uint8_t> bytes(image.pixels.get(), image.pixels.get() + 6);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x30, 0x00, 0x20, 0x80, 0x10, 0xFF}));

    const std::string file = readFile(data.data("grey16.png"));
    const DecodedImage fromMemory =
        decodeImageBytes(reinterpret_cast<const unsigned char*>(file.data()), file.size(), "m", 16);
    EXPECT_EQ(std::vector<std::uint8_t>(fromMemory.pixels.get(), fromMemory.pixels.get() + 6),
              bytes);
}

// A picture wider than the GL implementation's limit would leave a texture without an image,
// drawn as a white quad; start-up reports it instead, before any texture is made.
TEST(DecodeImage, APictureBeyondTheGlLimitIsReportedBeforeAnyTexture) {
    const GlWindow window(16, 16);
    const int limit = maxTextureSide();
    ASSERT_GT(limit, 0);
    const TestDataDir data;
    const fs::path file = data.data("too-wide.png");
    writeFlatImage(file, limit + 1, 1, 3, {9, 9, 9, 255});
    Texture texture;
    try {
        loadImageTexture(file.c_str(), texture);
        ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "Image file too large: " + file.string() + " is " + std::to_string(limit + 1) +
                      " x 1 pixels, the largest texture side here is " + std::to_string(limit) +
                      "\n");
    }
    EXPECT_EQ(texture.name(), 0u);
}

} // namespace
