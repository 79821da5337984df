// Broken, unusual and hostile asset files. Every picture shares one loading path, so each
// picture meets every defect in the loader, and one picture meets them all on the real
// program too, where each ends in one of two ways: the show runs and Escape ends it with
// status 0 and nothing on standard error; or it stops at start-up with its message on
// standard error and in the error box, and exits with status 1 once the box is dismissed.

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/OffscreenPlatform.h"
#include "app/Startup.h"
#include "gfx/ImageTexture.h"
#include "support/Process.h"
#include "support/TestData.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

enum class Outcome { Runs, DecodeError, TooLarge };

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(7);
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

bool isJpeg(const fs::path& file) {
    return file.extension() == ".jpg";
}

// Writes a picture in the other format under the file's own name: the decoder goes by the
// contents, not by the name.
void writeOtherFormat(const fs::path& file, int channels) {
    const fs::path other = file.parent_path() / (isJpeg(file) ? "other.png" : "other.jpg");
    writeFlatImage(other, 8, 8, channels, {90, 160, 30, 200});
    fs::rename(other, file);
}

// A header that announces 60000 x 60000 pixels, more than any GL texture holds. The PNG
// decoder refuses it by itself (more than 2^30 bytes); the JPEG decoder would go on.
void writeEnormousHeader(const fs::path& file) {
    writeFlatImage(file, 8, 8, 3, {1, 2, 3, 255});
    std::string bytes = readFile(file);
    // PNG: width and height after the signature, the chunk length and "IHDR". JPEG: height
    // and width after the frame marker, its length and the sample precision.
    const std::size_t frame = bytes.find("\xFF\xC0");
    const std::size_t first = isJpeg(file) ? frame + 5 : 16;
    for (const std::size_t at : {first, first + (isJpeg(file) ? 2 : 4)}) {
        const std::size_t low = isJpeg(file) ? at : at + 2;
        bytes.replace(low, 2, std::string("\xEA\x60", 2));
    }
    writeBytes(file, bytes);
}

struct Defect {
    const char* name;
    void (*apply)(const fs::path& file, const TestImage& image);
    Outcome outcome;
    Outcome jpegOutcome;
};

const Defect kDefects[] = {
    {"Missing", [](const fs::path& f, const TestImage&) { fs::remove(f); }, Outcome::DecodeError,
     Outcome::DecodeError},
    {"Empty", [](const fs::path& f, const TestImage&) { writeBytes(f, ""); }, Outcome::DecodeError,
     Outcome::DecodeError},
    {"Truncated",
     [](const fs::path& f, const TestImage&) {
         const std::string bytes = readFile(f);
         writeBytes(f, bytes.substr(0, bytes.size() / 2));
     },
     Outcome::DecodeError, Outcome::DecodeError},
    {"RandomBytes", [](const fs::path& f, const TestImage&) { writeBytes(f, randomBytes(4096)); },
     Outcome::DecodeError, Outcome::DecodeError},
    {"OtherFormat", [](const fs::path& f, const TestImage& i) { writeOtherFormat(f, i.channels); },
     Outcome::Runs, Outcome::Runs},
    {"Grey", [](const fs::path& f, const TestImage&) { writeFlatImage(f, 8, 8, 1, {90}); },
     Outcome::Runs, Outcome::Runs},
    {"GreyAndAlpha",
     [](const fs::path& f, const TestImage&) {
         const fs::path png = f.parent_path() / "grey-alpha.png";
         writeFlatImage(png, 8, 8, 2, {90, 200});
         fs::rename(png, f);
     },
     Outcome::Runs, Outcome::Runs},
    {"SixteenBits",
     [](const fs::path& f, const TestImage&) {
         fs::copy_file(TORNUVA_SOURCE_DIR "/tests/fuzz/seeds/rgba16-2x2.png", f,
                       fs::copy_options::overwrite_existing);
     },
     Outcome::Runs, Outcome::Runs},
    {"OnePixel",
     [](const fs::path& f, const TestImage& i) { writeFlatImage(f, 1, 1, i.channels, i.colour); },
     Outcome::Runs, Outcome::Runs},
    {"EnormousHeader", [](const fs::path& f, const TestImage&) { writeEnormousHeader(f); },
     Outcome::DecodeError, Outcome::TooLarge},
};

void PrintTo(const Defect& defect, std::ostream* out) {
    *out << defect.name;
}

Outcome outcomeFor(const Defect& defect, const char* image) {
    return isJpeg(image) ? defect.jpegOutcome : defect.outcome;
}

// The message start-up gives for the picture, as the show names it.
std::string messageFor(Outcome outcome, const std::string& path) {
    return outcome == Outcome::TooLarge
               ? "Image file too large: " + path +
                     " is 60000 x 60000 pixels, the largest texture side here is "
               : "Unable to decode image file: " + path + "\n";
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
    const OffscreenPlatform platform;
    for (const TestImage& image : kTestImages) {
        for (const Defect& defect : kDefects) {
            const TestDataDir data;
            defect.apply(data.data(image.name), image);
            const std::string path = data.data(image.name).string();
            const Outcome outcome = outcomeFor(defect, image.name);
            const std::string expected = outcome == Outcome::Runs ? "" : messageFor(outcome, path);
            EXPECT_EQ(loadFailure(path.c_str()).substr(0, expected.size()), expected)
                << image.name << ", " << defect.name;
        }
    }
}

// Starts the program on the prepared folder and checks how it ends.
void expectOutcome(const TestDataDir& data, Outcome outcome, const std::string& message,
                   const std::vector<std::string>& environment = {}) {
    ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360, environment);
    if (outcome == Outcome::Runs) {
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
    GetParam().apply(data.data(birch.name), birch);
    const Outcome outcome = outcomeFor(GetParam(), birch.name);
    expectOutcome(data, outcome, messageFor(outcome, std::string("Data/") + birch.name));
}

INSTANTIATE_TEST_SUITE_P(Birch, BadImageRun, testing::ValuesIn(kDefects),
                         [](const testing::TestParamInfo<Defect>& defect) {
                             return std::string(defect.param.name);
                         });

TEST(BadFont, EveryDefectIsReportedWithThePath) {
    const OffscreenPlatform platform;
    const fs::path previous = fs::current_path();
    const TestDataDir data;
    fs::current_path(data.root());
    writeFlatImage("Data/picture.png", 8, 8, 4, {1, 2, 3, 4});
    for (const std::string& bytes :
         {std::string(), randomBytes(50000), readFile("Data/picture.png")}) {
        writeBytes("Data/VeraMoBd.ttf", bytes);
        try {
            openShowFont(kFontPoints);
            ADD_FAILURE() << "a broken font opened";
        } catch (const std::runtime_error& failure) {
            EXPECT_EQ(std::string(failure.what())
                          .rfind("Unable to open font file: Data/VeraMoBd.ttf: ", 0),
                      0u);
        }
    }
    fs::current_path(previous);
}

// Past the music's start on a fast clock: without usable music the show plays silent and
// says nothing.
TEST(BadMusic, TheShowPlaysSilent) {
    for (const std::string& bytes :
         {std::string(), randomBytes(50000), "OggS" + randomBytes(5000)}) {
        const TestDataDir data;
        writeBytes(data.data("bossanova.ogg"), bytes);
        expectOutcome(data, Outcome::Runs, "",
                      {"LD_PRELOAD=" FAST_CLOCK, "TORNUVA_CLOCK_FACTOR=10"});
    }
}

} // namespace
