// The show's music: a bossa nova loop synthesised from plucked strings and small percussion.
#pragma once

#include <vector>

namespace assets {

struct StereoBuffer {
    int sampleRate = 44100;
    std::vector<float> left, right; // equal length; the last sample flows into the first
};

StereoBuffer composeBossaNova();

} // namespace assets
