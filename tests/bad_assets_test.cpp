// Broken, unusual and hostile asset files. Every picture shares one loading path, so each
// picture meets every defect in the loader, and one picture meets them all on the real
// program too, where each ends in one of two ways: the show runs and Escape ends it with
// status 0 and nothing on standard error; or it stops at start-up with its message on
// standard error and in the error box, and exits with status 1 once the box is dismissed.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ToolPlatform.h"
#include "gfx/ImageTexture.h"
#include "support/Process.h"
#include "support/TestData.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

enum class Outcome { Runs, DecodeError, TooLarge };

std::string randomBytes() {
    std::mt19937 generator(7);
    std::string bytes(4096, 0);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator()); });
    return bytes;
}

bool isJpeg(const fs::path& file) {
    return file.extension() == ".jpg";
}

// A picture in another format under the file's own name: the decoder goes by the contents.
void writeAs(const fs::path& file, const char* format, int channels) {
    const fs::path other = file.parent_path() / (std::string("other") + format);
    writeFlatImage(other, 8, 8, channels, {90, 160, 30, 200});
    fs::rename(other, file);
}

// A header announcing more pixels than any GL texture holds: 60000 in both directions, or in
// height alone. PNG: width and height follow the signature, the chunk length and "IHDR";
// JPEG: height and width follow the frame marker, its length and the sample precision.
void writeHugeHeader(const fs::path& file, bool bothSides) {
    writeFlatImage(file, 8, 8, 3, {1, 2, 3, 255});
    std::string bytes = readFile(file);
    const std::size_t height = isJpeg(file) ? bytes.find("\xFF\xC0") + 5 : 22;
    const std::size_t width = isJpeg(file) ? height + 2 : 18;
    for (const std::size_t at : bothSides ? std::vector{height, width} : std::vector{height}) {
        bytes.replace(at, 2, "\xEA\x60");
    }
    writeBytes(file, bytes);
}

void damage(const std::string& defect, const fs::path& f, const TestImage& image) {
    const std::string bytes = readFile(f);
    const std::string fuzz = TORNUVA_SOURCE_DIR "/tests/fuzz/";
    fs::remove(f);
    if (defect == "Empty" || defect == "Truncated" || defect == "RandomBytes")
        writeBytes(f, defect == "Empty"       ? ""
                      : defect == "Truncated" ? bytes.substr(0, bytes.size() / 2)
                                              : randomBytes());
    else if (defect == "Fifo")
        mkfifo(f.c_str(), 0600);
    else if (defect == "Device")
        fs::create_symlink("/dev/zero", f);
    else if (defect == "Directory")
        fs::create_directory(f);
    else if (defect == "HuffmanOverflow")
        fs::copy_file(fuzz + "regressions/huffman-table-overflow.jpg", f);
    else if (defect == "HuffmanOverflowAfterFill")
        fs::copy_file(fuzz + "regressions/huffman-table-overflow-after-fill-bytes.jpg", f);
    else if (defect == "OtherFormat")
        writeAs(f, isJpeg(f) ? ".png" : ".jpg", image.channels);
    else if (defect == "Grey")
        writeFlatImage(f, 8, 8, 1, {90});
    else if (defect == "GreyAndAlpha")
        writeAs(f, ".png", 2);
    else if (defect == "SixteenBits")
        fs::copy_file(fuzz + "seeds/rgba16-2x2.png", f);
    else if (defect == "OnePixel")
        writeFlatImage(f, 1, 1, image.channels, image.colour);
    else if (defect == "HugeHeader" || defect == "TallHeader")
        writeHugeHeader(f, defect == "HugeHeader");
}

struct Defect {
    const char* name;
    Outcome png;
    Outcome jpeg;
};

// Pipes, devices and folders may not keep the show waiting. The Huffman tables were found by
// fuzzing: more than 256 codes overran the decoder, also behind fill bytes before the
// start-of-image marker. The PNG decoder refuses a huge picture by itself.
using enum Outcome;
const Defect kDefects[] = {
    {"Missing", DecodeError, DecodeError},
    {"Empty", DecodeError, DecodeError},
    {"Truncated", DecodeError, DecodeError},
    {"RandomBytes", DecodeError, DecodeError},
    {"Fifo", DecodeError, DecodeError},
    {"Device", DecodeError, DecodeError},
    {"Directory", DecodeError, DecodeError},
    {"HuffmanOverflow", DecodeError, DecodeError},
    {"HuffmanOverflowAfterFill", DecodeError, DecodeError},
    {"OtherFormat", Runs, Runs},
    {"Grey", Runs, Runs},
    {"GreyAndAlpha", Runs, Runs},
    {"SixteenBits", Runs, Runs},
    {"OnePixel", Runs, Runs},
    {"HugeHeader", DecodeError, TooLarge},
    {"TallHeader", TooLarge, TooLarge},
};

// The start of the message start-up gives for the picture, as the show names it; none when
// the show runs.
std::string messageFor(const Defect& defect, const std::string& path) {
    const Outcome outcome = isJpeg(path) ? defect.jpeg : defect.png;
    if (outcome == Runs) {
        return "";
    }
    return outcome == TooLarge ? "Image file too large: " + path + " is "
                               : "Unable to decode image file: " + path;
}

std::string loadFailure(const char* path) {
    Texture texture;
    try {
        loadImageTexture(path, texture);
    } catch (const std::runtime_error& failure) {
        return failure.what();
    }
    return "";
}

TEST(BadImages, EveryPictureMeetsEveryDefectInTheLoader) {
    const ToolPlatform platform;
    for (const TestImage& image : kTestImages) {
        for (const Defect& defect : kDefects) {
            const TestDataDir data;
            damage(defect.name, data.data(image.name), image);
            const std::string path = data.data(image.name).string();
            const std::string expected = messageFor(defect, path);
            EXPECT_EQ(loadFailure(path.c_str()).substr(0, expected.size()), expected)
                << image.name << ", " << defect.name;
        }
    }
}

// Starts the program on the prepared folder and checks how it ends.
void expectOutcome(const TestDataDir& data, const std::string& message) {
    ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360);
    if (message.empty()) {
        ASSERT_NE(waitForWindow(run.display(), "Selkavo Tornuva", 30s), 0u) << run.errors();
        std::this_thread::sleep_for(700ms);
        ASSERT_EQ(run.process().waitFor(0ms), std::nullopt) << run.errors();
        run.key("Escape");
        EXPECT_EQ(run.process().waitFor(20s), std::optional<int>(0)) << run.errors();
        EXPECT_EQ(run.errors(), "");
        return;
    }
    const unsigned long box = waitForWindow(run.display(), "Error", 30s);
    ASSERT_NE(box, 0u) << kNoErrorBox << "\n" << run.errors();
    EXPECT_EQ(run.errors().substr(0, message.size()), message);
    EXPECT_EQ(run.process().waitFor(300ms), std::nullopt) << "waits for the box to be dismissed";
    requestClose(run.display(), box);
    EXPECT_EQ(run.process().waitFor(20s), std::optional<int>(1)) << run.errors();
}

class BadImageRun : public testing::TestWithParam<Defect> {};

// The birch wood, a JPEG loaded after seven PNGs, so that pictures already made are released.
TEST_P(BadImageRun, EndsAsExpected) {
    const TestImage& birch = kTestImages[7];
    const TestDataDir data;
    damage(GetParam().name, data.data(birch.name), birch);
    expectOutcome(data, messageFor(GetParam(), std::string("Data/") + birch.name));
}

TEST(BadFont, AMissingFontIsReportedWithItsPath) {
    const TestDataDir data;
    fs::remove(data.data("VeraMoBd.ttf"));
    expectOutcome(data, "Unable to open font file: Data/VeraMoBd.ttf: ");
}

INSTANTIATE_TEST_SUITE_P(Birch, BadImageRun, testing::ValuesIn(kDefects),
                         [](const testing::TestParamInfo<Defect>& defect) {
                             return std::string(defect.param.name);
                         });

} // namespace
