// Bossa nova loop: 16 bars at 120 beats per minute (32 s). Nylon-string chords and bass are
// Karplus-Strong plucked strings, the tune a soft vibraphone, with rim click, shaker and a
// soft kick. Every voice is written modulo the loop length, so notes that ring past the end
// continue at the start and the loop has no seam.
#include "music.h"

#include "canvas.h"

#include <array>
#include <cmath>

namespace assets {

namespace {

constexpr int kRate = 44100;
constexpr int kBars = 16;
constexpr int kEighth = kRate / 4; // 120 bpm: a quarter note is half a second
constexpr int kBar = kEighth * 8;
constexpr int kLength = kBar * kBars;

float midiHz(int note) {
    return 440.0f * std::pow(2.0f, (note - 69) / 12.0f);
}

struct Chord {
    int root;                   // bass note
    int fifth;                  // bass's second note (the flat fifth on half-diminished)
    std::array<int, 4> voicing; // guitar, low to high
};

// Two halves: a ii-V journey through G major that turns towards D minor, then a walk round
// the circle of fifths back to A minor, whose E7 leads into the first bar again.
const Chord kChords[kBars] = {
    {33, 40, {55, 60, 64, 71}}, // Am7(9)
    {38, 45, {54, 60, 64, 69}}, // D9
    {31, 38, {54, 59, 62, 67}}, // Gmaj7
    {36, 43, {52, 59, 62, 67}}, // Cmaj7(9)
    {30, 36, {52, 57, 60, 66}}, // F#m7b5
    {35, 42, {51, 57, 60, 66}}, // B7(b9)
    {28, 35, {50, 55, 59, 66}}, // Em7(9)
    {33, 40, {55, 61, 66, 69}}, // A7(13)
    {38, 45, {53, 57, 60, 64}}, // Dm7(9)
    {31, 38, {53, 59, 64, 67}}, // G7(13)
    {36, 43, {52, 59, 62, 67}}, // Cmaj7(9)
    {29, 36, {52, 57, 60, 65}}, // Fmaj7
    {35, 41, {50, 57, 59, 65}}, // Bm7b5
    {28, 35, {50, 56, 59, 65}}, // E7(b9)
    {33, 40, {55, 60, 64, 71}}, // Am7(9)
    {28, 35, {50, 56, 59, 65}}, // E7(b9)
};

struct Note {
    int bar, eighth, length, pitch;
};

// The tune: long chord tones, mostly stepwise, one or three notes a bar.
const Note kTune[] = {
    {0, 0, 6, 76},  {0, 6, 2, 74},  {1, 0, 4, 72},  {1, 4, 4, 69},  {2, 0, 6, 71},  {2, 6, 2, 74},
    {3, 0, 4, 76},  {3, 4, 2, 74},  {3, 6, 2, 71},  {4, 0, 6, 72},  {4, 6, 2, 69},  {5, 0, 3, 72},
    {5, 3, 3, 71},  {5, 6, 2, 69},  {6, 0, 6, 67},  {6, 6, 2, 66},  {7, 0, 4, 67},  {7, 4, 2, 69},
    {7, 6, 2, 73},  {8, 0, 6, 72},  {8, 6, 2, 69},  {9, 0, 3, 71},  {9, 3, 1, 69},  {9, 4, 4, 71},
    {10, 0, 6, 76}, {10, 6, 2, 74}, {11, 0, 4, 72}, {11, 4, 4, 69}, {12, 0, 6, 74}, {12, 6, 2, 69},
    {13, 0, 3, 71}, {13, 3, 3, 68}, {13, 6, 2, 65}, {14, 0, 6, 72}, {14, 6, 2, 71}, {15, 0, 6, 68},
    {15, 6, 2, 71},
};

// Guitar and rim click on the bossa clave across two bars.
constexpr int kClave[] = {0, 3, 6, 10, 13};

class Mix {
public:
    Mix() : left(kLength), right(kLength), sendL(kLength), sendR(kLength) {}
    // Adds a mono voice at `start` with equal-power panning (-1 left .. 1 right) and a
    // reverb send; indices wrap round the loop.
    void add(const std::vector<float>& voice, int start, float gain, float pan, float send) {
        float angle = (pan + 1) * kPi / 4;
        float gl = gain * std::cos(angle), gr = gain * std::sin(angle);
        for (size_t i = 0; i < voice.size(); ++i) {
            size_t k = (static_cast<size_t>(start) + i) % kLength;
            left[k] += voice[i] * gl;
            right[k] += voice[i] * gr;
            sendL[k] += voice[i] * gl * send;
            sendR[k] += voice[i] * gr * send;
        }
    }
    std::vector<float> left, right, sendL, sendR;
};

// Fade-in over a few milliseconds so no onset is a step, and a damped ending.
void envelope(std::vector<float>& v, int attack, int release) {
    for (int i = 0; i < attack && i < static_cast<int>(v.size()); ++i)
        v[i] *= float(i) / attack;
    int n = static_cast<int>(v.size());
    for (int i = std::max(0, n - release); i < n; ++i)
        v[i] *= float(n - i) / release;
}

// Karplus-Strong string: a delay line of one period fed back through a two-point average
// (the string's loss of treble) and an all-pass for the fractional part of the period.
std::vector<float> pluck(float hz, int samples, float t60, float softness, Rng& rng) {
    float period = kRate / hz - 0.5f; // the averaging filter adds half a sample
    int n = static_cast<int>(period - 0.1f);
    float frac = period - n;
    float c = (1 - frac) / (1 + frac);
    float loss = std::pow(10.0f, -3.0f / (hz * t60));

    std::vector<float> line(n);
    float lp = 0;
    for (float& s : line) { // a finger, not a pick: low-passed noise
        lp += (rng.range(-1, 1) - lp) * (1 - softness);
        s = lp;
    }
    // Plucking near the bridge removes the harmonics that have a node there.
    int pos = std::max(1, n / 7);
    std::vector<float> shaped(n);
    for (int i = 0; i < n; ++i)
        shaped[i] = line[i] - 0.8f * line[(i + n - pos) % n];
    line = shaped;

    std::vector<float> out(samples);
    float prev = 0, apIn = 0, apOut = 0;
    for (int i = 0, idx = 0; i < samples; ++i) {
        float cur = line[idx];
        float avg = 0.5f * (cur + prev);
        prev = cur;
        float ap = c * (avg - apOut) + apIn;
        apIn = avg;
        apOut = ap;
        line[idx] = ap * loss;
        idx = idx + 1 == n ? 0 : idx + 1;
        out[i] = cur;
    }
    return out;
}

std::vector<float> vibraphone(float hz, int samples) {
    std::vector<float> out(samples);
    for (int i = 0; i < samples; ++i) {
        float t = float(i) / kRate;
        float trem = 1.0f - 0.25f * (0.5f + 0.5f * std::sin(2 * kPi * 5.5f * t));
        out[i] = trem * (std::exp(-t / 1.4f) * std::sin(2 * kPi * hz * t) +
                         0.25f * std::exp(-t / 0.25f) * std::sin(2 * kPi * hz * 3.98f * t));
    }
    return out;
}

std::vector<float> rimClick(Rng& rng) {
    std::vector<float> out(kRate / 20);
    float hp = 0, last = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate;
        float noise = rng.range(-1, 1);
        hp = 0.7f * (hp + noise - last);
        last = noise;
        out[i] = std::exp(-t / 0.006f) *
                     (0.6f * std::sin(2 * kPi * 1750 * t) + 0.4f * std::sin(2 * kPi * 820 * t)) +
                 0.5f * std::exp(-t / 0.002f) * hp;
    }
    return out;
}

std::vector<float> shaker(Rng& rng) {
    std::vector<float> out(kRate / 14);
    float hp = 0, last = 0, lp = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate;
        float noise = rng.range(-1, 1);
        hp = 0.85f * (hp + noise - last); // keep only the hiss
        last = noise;
        lp += (hp - lp) * 0.6f;
        float env = std::min(1.0f, t / 0.006f) * std::exp(-t / 0.018f);
        out[i] = env * lp;
    }
    return out;
}

std::vector<float> kick() {
    std::vector<float> out(kRate / 4);
    float phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate;
        phase += 2 * kPi * (48 + 60 * std::exp(-t / 0.03f)) / kRate;
        out[i] = std::exp(-t / 0.09f) * std::sin(phase);
    }
    return out;
}

// Schroeder reverb run twice round the loop so that its tail from the end is already
// present at the start; only the second pass is kept.
std::vector<float> loopReverb(const std::vector<float>& in, int seedOffset) {
    const int combs[4] = {1557 + seedOffset, 1617 + seedOffset, 1491 + seedOffset,
                          1422 + seedOffset};
    const int allpasses[2] = {225 + seedOffset / 2, 556 + seedOffset / 2};
    std::vector<std::vector<float>> combLines, apLines;
    for (int d : combs)
        combLines.emplace_back(d, 0.0f);
    for (int d : allpasses)
        apLines.emplace_back(d, 0.0f);
    std::array<size_t, 4> ci{};
    std::array<size_t, 2> ai{};
    std::array<float, 4> damp{};
    std::vector<float> out(in.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < in.size(); ++i) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) {
                float y = combLines[k][ci[k]];
                damp[k] = y * 0.6f + damp[k] * 0.4f;
                combLines[k][ci[k]] = in[i] + damp[k] * 0.8f;
                ci[k] = (ci[k] + 1) % combLines[k].size();
                sum += y;
            }
            float x = sum * 0.25f;
            for (int k = 0; k < 2; ++k) {
                float b = apLines[k][ai[k]];
                float y = -0.5f * x + b;
                apLines[k][ai[k]] = x + 0.5f * b;
                ai[k] = (ai[k] + 1) % apLines[k].size();
                x = y;
            }
            out[i] = x;
        }
    return out;
}

} // namespace

StereoBuffer composeBossaNova() {
    Mix mix;
    Rng rng(0xB055A);
    const int attack = kRate / 400; // 2.5 ms

    // Guitar: each chord rings until the next stroke, then is damped by the palm.
    std::vector<int> strokes;
    for (int pair = 0; pair < kBars / 2; ++pair)
        for (int e : kClave)
            strokes.push_back(pair * 16 + e);
    for (size_t s = 0; s < strokes.size(); ++s) {
        int at = strokes[s];
        int next = s + 1 < strokes.size() ? strokes[s + 1] : strokes[0] + kBars * 8;
        const Chord& chord = kChords[at / 8];
        int length = (next - at) * kEighth + kRate / 20;
        for (int v = 0; v < 4; ++v) {
            int pitch = chord.voicing[v];
            // A gentle thumb-and-fingers strum, a few milliseconds from low to high.
            int start = at * kEighth + v * kRate / 250 + static_cast<int>(rng.range(0, 60));
            auto note = pluck(midiHz(pitch), length, 2.5f, 0.55f, rng);
            envelope(note, attack, kRate / 25);
            mix.add(note, start, 0.16f * (v == 3 ? 1.1f : 1.0f), -0.3f, 0.35f);
        }
    }

    // Bass: root on one, the fifth on the and of two and on three, the root again on the and
    // of four leading on; the kick doubles it softly.
    const auto kickVoice = kick();
    const struct {
        int eighth, length;
        bool fifth;
        float accent;
    } bassPattern[] = {
        {0, 3, false, 1.0f}, {3, 1, true, 0.7f}, {4, 3, true, 0.85f}, {7, 1, false, 0.65f}};
    for (int bar = 0; bar < kBars; ++bar)
        for (const auto& b : bassPattern) {
            int pitch = b.fifth ? kChords[bar].fifth : kChords[bar].root;
            int start = bar * kBar + b.eighth * kEighth;
            auto note = pluck(midiHz(pitch), b.length * kEighth + kRate / 30, 1.6f, 0.9f, rng);
            envelope(note, attack * 2, kRate / 30);
            mix.add(note, start, 0.55f * b.accent, 0.0f, 0.05f);
            mix.add(kickVoice, start, 0.22f * b.accent, 0.0f, 0.0f);
        }

    // Tune.
    for (const Note& n : kTune) {
        int start = n.bar * kBar + n.eighth * kEighth;
        auto note = vibraphone(midiHz(n.pitch), n.length * kEighth + kRate / 10);
        envelope(note, attack * 4, kRate / 10);
        mix.add(note, start, 0.12f, 0.2f, 0.5f);
    }

    // Rim click on the clave, shaker on every sixteenth with the offbeats leaning forward.
    for (int pair = 0; pair < kBars / 2; ++pair)
        for (int e : kClave)
            mix.add(rimClick(rng), (pair * 16 + e) * kEighth, 0.18f, 0.25f, 0.3f);
    const float shakeAccent[4] = {0.55f, 0.3f, 1.0f, 0.4f};
    for (int i = 0; i < kBars * 16; ++i) {
        int start = i * kEighth / 2 + static_cast<int>(rng.range(0, 90));
        mix.add(shaker(rng), start, 0.09f * shakeAccent[i % 4] * rng.range(0.85f, 1.0f), 0.5f,
                0.1f);
    }

    auto wetL = loopReverb(mix.sendL, 0);
    auto wetR = loopReverb(mix.sendR, 23);
    StereoBuffer out;
    out.sampleRate = kRate;
    out.left.resize(kLength);
    out.right.resize(kLength);
    float peak = 0;
    for (int i = 0; i < kLength; ++i) {
        out.left[i] = mix.left[i] + 0.3f * wetL[i];
        out.right[i] = mix.right[i] + 0.3f * wetR[i];
        peak = std::max({peak, std::abs(out.left[i]), std::abs(out.right[i])});
    }
    // Gentle tape-like saturation rounds off the percussive peaks so the whole loop can sit
    // louder; then normalise to -3 dBFS, headroom for the encoder's ripple under -1 dBFS.
    const float drive = 1.8f;
    float norm = peak > 0 ? 1.0f / peak : 1.0f;
    float top = 0;
    for (int i = 0; i < kLength; ++i) {
        out.left[i] = std::tanh(drive * out.left[i] * norm);
        out.right[i] = std::tanh(drive * out.right[i] * norm);
        top = std::max({top, std::abs(out.left[i]), std::abs(out.right[i])});
    }
    float gain = top > 0 ? 0.7079f / top : 1.0f;
    for (int i = 0; i < kLength; ++i) {
        out.left[i] *= gain;
        out.right[i] *= gain;
    }
    return out;
}

} // namespace assets
