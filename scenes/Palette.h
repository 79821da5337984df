#pragma once

struct Colour {
    float red;
    float green;
    float blue;
};

inline constexpr Colour kSea = {0.29058823f, 0.40666667f, 0.67764705f};
inline constexpr Colour kWhite = {1.0f, 1.0f, 1.0f};

void setColour(const Colour& colour);
