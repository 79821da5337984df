// Runs the asset generator twice and inspects what it writes.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/Sound.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int runGenerator(const std::string& args) {
    return std::system((std::string("\"") + TORNUVA_ASSETS_EXE + "\" " + args).c_str());
}

fs::path generate() {
    std::string dir = (fs::temp_directory_path() / "tornuva-assets-XXXXXX").string();
    EXPECT_NE(mkdtemp(dir.data()), nullptr);
    EXPECT_EQ(runGenerator("\"" + dir + "\""), 0);
    return dir;
}

struct Decoded {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> px{nullptr, stbi_image_free};
    int at(int x, int y, int c) const { return px.get()[(y * w + x) * channels + c]; }
};

// Mean absolute difference between two columns, all channels.
double columnDiff(const Decoded& img, int a, int b) {
    double sum = 0;
    for (int y = 0; y < img.h; ++y)
        for (int c = 0; c < img.channels; ++c)
            sum += std::abs(img.at(a, y, c) - img.at(b, y, c));
    return sum / (img.h * img.channels);
}

struct ImageCase {
    const char* file;
    double ratio; // width / height of the quad it is drawn into
    int channels;
};

const ImageCase kImages[] = {
    {"channel.png", 5.32, 4},
    {"noise.png", 1.0, 3},
    {"can1.png", 1.0, 4},
    {"can2.png", 1.0, 4},
    {"delicacies.png", 1.0, 4},
    {"rovaska.png", 2.01, 4},
    {"selkavo-logo.png", 1 / 0.24, 4},
    {"birch-low-contrast.jpg", 16.0 / 9, 3},
    {"haircut.jpg", 16.0 / 9, 3},
    {"waves.png", 1 / 0.03, 4},
    {"sun.png", 1.0, 4},
    {"boat.png", 1 / 0.28, 4},
    {"boat-topdown.png", 0.485, 4},
    {"vane.png", 0.371, 4},
};

TEST(GeneratedAssets, ReproducibleShapedAndLooping) {
    const fs::path first = generate();
    const fs::path second = generate();
    for (const auto& entry : fs::directory_iterator(first)) {
        EXPECT_TRUE(readAll(entry.path()) == readAll(second / entry.path().filename()))
            << entry.path().filename() << " differs between two runs";
    }
    EXPECT_TRUE(readAll(first / "VeraMoBd.ttf") == readAll(TORNUVA_FONT_FILE));
    for (const ImageCase& c : kImages) {
        Decoded img;
        img.px.reset(stbi_load((first / c.file).c_str(), &img.w, &img.h, &img.channels, 0));
        ASSERT_TRUE(img.px) << c.file << ": " << stbi_failure_reason();
        EXPECT_EQ(img.channels, c.channels) << c.file;
        EXPECT_NEAR(double(img.w) / img.h / c.ratio, 1.0, 0.02) << c.file;
        // No bigger than it appears on a 1920 x 1080 screen.
        EXPECT_TRUE(img.w <= 1920 && img.h <= 1080) << c.file;
        if (std::string(c.file) == "waves.png") {
            // The last column joins the first as smoothly as neighbours join.
            std::vector<double> steps;
            for (int x = 0; x + 1 < img.w; ++x)
                steps.push_back(columnDiff(img, x, x + 1));
            std::sort(steps.begin(), steps.end());
            EXPECT_LE(columnDiff(img, img.w - 1, 0), steps[steps.size() * 9 / 10]);
        }
    }
    fs::remove_all(second);

    // The music: a loud enough loop without a seam (its rate and channels are the device's,
    // or it would not line up with what the show plays: EndToEndFullLength).
    const Sound music = decodeOggVorbis(first / "bossanova.ogg");
    fs::remove_all(first);
    EXPECT_GE(music.frames(), 30 * kFramesPerSecond);
    int peak = 0;
    for (std::size_t c = 0; c < 2; ++c) {
        std::vector<int> steps;
        for (std::size_t i = c; i + 2 < music.samples.size(); i += 2) {
            steps.push_back(std::abs(music.samples[i + 2] - music.samples[i]));
            peak = std::max(peak, std::abs(int(music.samples[i])));
        }
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 95 / 100, steps.end());
        EXPECT_LE(std::abs(music.samples[c] - music.samples[music.samples.size() - 2 + c]),
                  steps[steps.size() * 95 / 100]);
    }
    EXPECT_LT(20 * std::log10(peak / 32768.0), -1.0);
    EXPECT_GT(20 * std::log10(peak / 32768.0), -12.0); // not silent or needlessly quiet
}

} // namespace
