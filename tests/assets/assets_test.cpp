// Runs the asset generator and inspects what it writes.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kAllFiles[] = {
    "channel.png",      "noise.png",   "can1.png",         "can2.png",
    "delicacies.png",   "rovaska.png", "selkavo-logo.png", "birch-low-contrast.jpg",
    "haircut.jpg",      "waves.png",   "sun.png",          "boat.png",
    "boat-topdown.png", "vane.png",    "bossanova.ogg",    "VeraMoBd.ttf"};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path makeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "tornuva-assets-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern;
}

int runGenerator(const std::string& args) {
    std::string cmd = "\"";
    cmd.append(TORNUVA_ASSETS_EXE).append("\" ").append(args);
    return std::system(cmd.c_str());
}

struct Decoded {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> px{nullptr, stbi_image_free};
    unsigned char at(int x, int y, int c) const { return px.get()[(y * w + x) * channels + c]; }
};

Decoded decode(const fs::path& p) {
    Decoded d;
    d.px.reset(stbi_load(p.string().c_str(), &d.w, &d.h, &d.channels, 0));
    return d;
}

class GeneratedAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        first_ = new fs::path(makeTempDir());
        second_ = new fs::path(makeTempDir());
        for (const fs::path* dir : {first_, second_}) {
            std::string quoted = "\"";
            quoted.append(dir->string()).append("\"");
            ASSERT_EQ(runGenerator(quoted), 0);
        }
    }
    static void TearDownTestSuite() {
        fs::remove_all(*first_);
        fs::remove_all(*second_);
        delete first_;
        delete second_;
    }
    static fs::path* first_;
    static fs::path* second_;
};

fs::path* GeneratedAssets::first_ = nullptr;
fs::path* GeneratedAssets::second_ = nullptr;

TEST_F(GeneratedAssets, TwoRunsGiveIdenticalFiles) {
    for (const char* name : kAllFiles) {
        SCOPED_TRACE(name);
        std::string a = readAll(*first_ / name);
        ASSERT_FALSE(a.empty());
        EXPECT_TRUE(a == readAll(*second_ / name));
    }
}

TEST_F(GeneratedAssets, FontIsTheDebianFace) {
    EXPECT_TRUE(readAll(*first_ / "VeraMoBd.ttf") == readAll(TORNUVA_FONT_FILE));
}

struct ImageCase {
    const char* file;
    double ratio; // width / height of the quad it is drawn into
    int channels;
    bool cutOut;
};

const ImageCase kImages[] = {
    {"channel.png", 5.32, 4, false},
    {"noise.png", 1.0, 3, false},
    {"can1.png", 1.0, 4, true},
    {"can2.png", 1.0, 4, true},
    {"delicacies.png", 1.0, 4, true},
    {"rovaska.png", 2.01, 4, true},
    {"selkavo-logo.png", 1 / 0.24, 4, true},
    {"birch-low-contrast.jpg", 16.0 / 9, 3, false},
    {"haircut.jpg", 16.0 / 9, 3, false},
    {"waves.png", 1 / 0.03, 4, true},
    {"sun.png", 1.0, 4, true},
    {"boat.png", 1 / 0.28, 4, true},
    {"boat-topdown.png", 0.485, 4, true},
    {"vane.png", 0.371, 4, true},
};

TEST_F(GeneratedAssets, ImagesDecodeWithTheirShapeAndAlpha) {
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.file);
        Decoded img = decode(*first_ / c.file);
        ASSERT_TRUE(img.px) << stbi_failure_reason();
        EXPECT_EQ(img.channels, c.channels);
        EXPECT_NEAR(double(img.w) / img.h / c.ratio, 1.0, 0.02) << img.w << " x " << img.h;
        // No bigger than it appears on a 1920 x 1080 screen.
        EXPECT_LE(img.w, 1920);
        EXPECT_LE(img.h, 1080);
        if (!c.cutOut)
            continue;
        int transparent = 0, solid = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                transparent += img.at(x, y, 3) == 0;
                solid += img.at(x, y, 3) == 255;
            }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(solid, 0);
    }
}

// Mean absolute difference between two columns, all channels.
double columnDiff(const Decoded& img, int a, int b) {
    double sum = 0;
    for (int y = 0; y < img.h; ++y)
        for (int c = 0; c < img.channels; ++c)
            sum += std::abs(int(img.at(a, y, c)) - int(img.at(b, y, c)));
    return sum / (img.h * img.channels);
}

TEST_F(GeneratedAssets, WavesRepeatWithoutASeam) {
    Decoded img = decode(*first_ / "waves.png");
    ASSERT_TRUE(img.px);
    std::vector<double> steps;
    for (int x = 0; x + 1 < img.w; ++x)
        steps.push_back(columnDiff(img, x, x + 1));
    std::sort(steps.begin(), steps.end());
    double typical = steps[steps.size() * 9 / 10];
    EXPECT_LE(columnDiff(img, img.w - 1, 0), typical);
    EXPECT_GT(steps.back(), 0.0); // a flat strip would pass trivially
}

TEST_F(GeneratedAssets, MusicIsALoudEnoughSeamlessStereoLoop) {
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen((*first_ / "bossanova.ogg").string().c_str(), &vf), 0);
    vorbis_info* info = ov_info(&vf, -1);
    EXPECT_EQ(info->rate, 44100);
    ASSERT_EQ(info->channels, 2);
    ogg_int64_t frames = ov_pcm_total(&vf, -1);
    EXPECT_GE(frames, 30 * 44100);

    std::vector<float> left, right;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        ASSERT_GE(n, 0);
        if (n == 0)
            break;
        left.insert(left.end(), pcm[0], pcm[0] + n);
        right.insert(right.end(), pcm[1], pcm[1] + n);
    }
    ov_clear(&vf);
    ASSERT_EQ(static_cast<ogg_int64_t>(left.size()), frames);

    float peak = 0;
    for (size_t i = 0; i < left.size(); ++i)
        peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    EXPECT_LT(20 * std::log10(peak), -1.0);
    EXPECT_GT(20 * std::log10(peak), -12.0); // not silent or needlessly quiet

    for (const std::vector<float>* ch : {&left, &right}) {
        std::vector<float> steps;
        for (size_t i = 0; i + 1 < ch->size(); ++i)
            steps.push_back(std::abs((*ch)[i + 1] - (*ch)[i]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 95 / 100, steps.end());
        float typical = steps[steps.size() * 95 / 100];
        EXPECT_LE(std::abs(ch->front() - ch->back()), typical);
    }
}

TEST(Generator, RefusesAMissingOutputDirectoryArgument) {
    int status = runGenerator("");
    ASSERT_NE(status, -1);
    EXPECT_NE(status, 0);
}

} // namespace
