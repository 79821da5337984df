#include "images.h"

namespace assets {

Image cutOut(const Canvas& c) {
    return {c.width(), c.height(), 4, c.rgba8()};
}
Image opaque(const Canvas& c) {
    return {c.width(), c.height(), 3, c.rgb8()};
}

const std::vector<ImageAsset>& imageAssets() {
    static const std::vector<ImageAsset> list = {
        {"channel.png", drawChannel},
        {"noise.png", drawNoise},
        {"can1.png", drawCan1},
        {"can2.png", drawCan2},
        {"delicacies.png", drawDelicacies},
        {"rovaska.png", drawRovaska},
        {"selkavo-logo.png", drawLogo},
        {"birch-low-contrast.jpg", drawBirch},
        {"haircut.jpg", drawHaircut},
        {"waves.png", drawWaves},
        {"sun.png", drawSun},
        {"boat.png", drawBoat},
        {"boat-topdown.png", drawBoatTopDown},
        {"vane.png", drawVane},
    };
    return list;
}

} // namespace assets
