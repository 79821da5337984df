// The real program started on broken, unusual and hostile asset files, each case on a private
// X server. Every case ends in one of three ways: the show runs and Escape ends it with
// status 0 and nothing on standard error; or it stops at start-up with its message on
// standard error and in the error box, and exits with status 1 once the box is dismissed.

#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <csignal>

#include "support/Process.h"
#include "support/TestData.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

constexpr char kTitle[] = "Selkavo Tornuva";
constexpr char kFont[] = "VeraMoBd.ttf";
constexpr char kMusic[] = "bossanova.ogg";

enum class Outcome { Runs, DecodeError, TooLarge, FontError };

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

// Writes an image in the format of `extension` under the file's own name.
void writeAs(const fs::path& file, const std::string& extension, int width, int height,
             int channels) {
    const fs::path other = file.parent_path() / ("other" + extension);
    writeFlatImage(other, width, height, channels, {90, 160, 30, 200});
    fs::rename(other, file);
}

// A header that announces a picture of 60000 x 60000 pixels, more than any GL texture holds.
// The PNG decoder refuses it by itself (more than 2^30 bytes); the JPEG decoder would go on.
void writeEnormousHeader(const fs::path& file) {
    if (isJpeg(file)) {
        writeFlatImage(file, 8, 8, 3, {1, 2, 3, 255});
        std::string bytes = readFile(file);
        const std::size_t frame = bytes.find("\xFF\xC0");
        ASSERT_NE(frame, std::string::npos);
        // Height then width, big-endian, after the marker, length and sample precision.
        for (const std::size_t at : {frame + 5, frame + 7}) {
            bytes[at] = static_cast<char>(60000 >> 8);
            bytes[at + 1] = static_cast<char>(60000 & 0xFF);
        }
        writeBytes(file, bytes);
    } else {
        std::vector<std::uint16_t> samples(4, 0);
        writePng16(file, 1, 1, 4, samples.data());
        std::string bytes = readFile(file);
        // Width and height follow the signature, the chunk length and the type "IHDR".
        for (const std::size_t at : {std::size_t{16}, std::size_t{20}}) {
            bytes.replace(at, 4, std::string("\x00\x00\xEA\x60", 4));
        }
        writeBytes(file, bytes);
    }
}

struct Defect {
    const char* name;
    void (*apply)(const fs::path& file, const TestImage& image);
    Outcome outcome;
    Outcome jpegOutcome = Outcome::Runs; // where JPEG files end otherwise; Runs: as PNG
};

const Defect kDefects[] = {
    {"Missing", [](const fs::path& file, const TestImage&) { fs::remove(file); },
     Outcome::DecodeError},
    {"Empty", [](const fs::path& file, const TestImage&) { writeBytes(file, ""); },
     Outcome::DecodeError},
    {"Truncated",
     [](const fs::path& file, const TestImage&) {
         const std::string bytes = readFile(file);
         writeBytes(file, bytes.substr(0, bytes.size() / 2));
     },
     Outcome::DecodeError},
    {"RandomBytes",
     [](const fs::path& file, const TestImage&) { writeBytes(file, randomBytes(4096)); },
     Outcome::DecodeError},
    // The decoder goes by the contents, not by the name.
    {"OtherFormat",
     [](const fs::path& file, const TestImage& image) {
         writeAs(file, isJpeg(file) ? ".png" : ".jpg", 8, 8, image.channels);
     },
     Outcome::Runs},
    {"Grey",
     [](const fs::path& file, const TestImage&) {
         writeFlatImage(file, 8, 8, 1, {90, 0, 0, 0});
     },
     Outcome::Runs},
    {"GreyAndAlpha", [](const fs::path& file, const TestImage&) { writeAs(file, ".png", 8, 8, 2); },
     Outcome::Runs},
    {"SixteenBits",
     [](const fs::path& file, const TestImage&) {
         const std::vector<std::uint16_t> samples(8 * 8 * 4, 0x8000);
         writePng16(file, 8, 8, 4, samples.data());
     },
     Outcome::Runs},
    {"OnePixel",
     [](const fs::path& file, const TestImage& image) {
         writeFlatImage(file, 1, 1, image.channels, image.colour);
     },
     Outcome::Runs},
    {"EnormousHeader", [](const fs::path& file, const TestImage&) { writeEnormousHeader(file); },
     Outcome::DecodeError, Outcome::TooLarge},
};

// Starts the program on the prepared folder and checks how it ends.
void expectOutcome(const TestDataDir& data, Outcome outcome, const std::string& message,
                   std::chrono::milliseconds runFor = 700ms) {
    ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360);
    if (outcome == Outcome::Runs) {
        ASSERT_NE(waitForWindow(run.display(), kTitle, 30s), 0u) << run.errors();
        std::this_thread::sleep_for(runFor);
        ASSERT_EQ(run.process().waitFor(0ms), std::nullopt) << run.errors();
        run.key("Escape");
        EXPECT_EQ(run.process().waitFor(20s), std::optional<int>(0)) << run.errors();
        EXPECT_EQ(run.errors(), "");
        return;
    }
    const unsigned long box = waitForWindow(run.display(), "Error", 30s);
    ASSERT_NE(box, 0u) << run.errors();
    if (outcome == Outcome::DecodeError) {
        EXPECT_EQ(run.errors(), message);
    } else {
        EXPECT_EQ(run.errors().rfind(message, 0), 0u) << run.errors();
    }
    requestClose(run.display(), box);
    EXPECT_EQ(run.process().waitFor(20s), std::optional<int>(1)) << run.errors();
}

struct ImageCase {
    const TestImage* image;
    const Defect* defect;

    Outcome outcome() const {
        return isJpeg(image->name) && defect->jpegOutcome != Outcome::Runs ? defect->jpegOutcome
                                                                           : defect->outcome;
    }
};

void PrintTo(const ImageCase& c, std::ostream* out) {
    *out << c.image->name << ", " << c.defect->name;
}

class BadImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(BadImage, EndsAsExpected) {
    const TestDataDir data;
    const ImageCase& c = GetParam();
    const fs::path file = data.data(c.image->name);
    c.defect->apply(file, *c.image);
    const std::string path = std::string("Data/") + c.image->name;
    const std::string message = c.outcome() == Outcome::TooLarge
                                    ? "Image file too large: " + path +
                                          " is 60000 x 60000 pixels, the largest texture "
                                          "side here is "
                                    : "Unable to decode image file: " + path + "\n";
    expectOutcome(data, c.outcome(), message);
}

std::vector<ImageCase> everyImageCase() {
    std::vector<ImageCase> cases;
    for (const TestImage& image : kTestImages) {
        for (const Defect& defect : kDefects) {
            cases.push_back({&image, &defect});
        }
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<ImageCase>& info) {
    std::string name = info.param.image->name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name + "_" + info.param.defect->name;
}

INSTANTIATE_TEST_SUITE_P(EveryImage, BadImage, ::testing::ValuesIn(everyImageCase()), caseName);

struct OtherAssetCase {
    const char* name;
    const char* file;
    void (*apply)(const fs::path& file);
    Outcome outcome;
};

// The music starts at 3000 ms, so those runs last past it; without usable music the show
// plays silent and says nothing.
const OtherAssetCase kOtherAssets[] = {
    {"FontMissing", kFont, [](const fs::path& file) { fs::remove(file); }, Outcome::FontError},
    {"FontEmpty", kFont, [](const fs::path& file) { writeBytes(file, ""); }, Outcome::FontError},
    {"FontGarbage", kFont, [](const fs::path& file) { writeBytes(file, randomBytes(50000)); },
     Outcome::FontError},
    {"FontIsAPicture", kFont, [](const fs::path& file) { writeAs(file, ".png", 8, 8, 4); },
     Outcome::FontError},
    {"MusicMissing", kMusic, [](const fs::path& file) { fs::remove(file); }, Outcome::Runs},
    {"MusicEmpty", kMusic, [](const fs::path& file) { writeBytes(file, ""); }, Outcome::Runs},
    {"MusicGarbage", kMusic, [](const fs::path& file) { writeBytes(file, randomBytes(50000)); },
     Outcome::Runs},
    {"MusicWithOggHeaderOnly", kMusic,
     [](const fs::path& file) { writeBytes(file, "OggS" + randomBytes(5000)); }, Outcome::Runs},
};

void PrintTo(const OtherAssetCase& c, std::ostream* out) {
    *out << c.name;
}

class BadAsset : public ::testing::TestWithParam<OtherAssetCase> {};

TEST_P(BadAsset, EndsAsExpected) {
    const TestDataDir data;
    const OtherAssetCase& c = GetParam();
    c.apply(data.data(c.file));
    expectOutcome(data, c.outcome, "Unable to open font file: Data/VeraMoBd.ttf: ", 3500ms);
}

INSTANTIATE_TEST_SUITE_P(FontAndMusic, BadAsset, ::testing::ValuesIn(kOtherAssets),
                         [](const ::testing::TestParamInfo<OtherAssetCase>& param) {
                             return std::string(param.param.name);
                         });

// An interrupt or a termination request ends the show as a quit request does: the frame
// completes, the loop ends, the textures are released on the way out of main, status 0.
TEST(Signals, InterruptAndTerminateEndTheShowLikeAQuitRequest) {
    const TestDataDir data;
    for (const int signal : {SIGINT, SIGTERM}) {
        ProgramRun run(TORNUVA_PROGRAM, data.root(), 640, 360);
        ASSERT_NE(waitForWindow(run.display(), kTitle, 30s), 0u) << run.errors();
        std::this_thread::sleep_for(500ms);
        ASSERT_EQ(kill(run.process().pid(), signal), 0);
        EXPECT_EQ(run.process().waitFor(20s), std::optional<int>(0)) << "signal " << signal;
        EXPECT_EQ(run.errors(), "") << "signal " << signal;
    }
}

} // namespace
