#include "Image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <stb_image_write.h>

void writePng(const std::string& path, const RgbaImage& image) {
    if (!stbi_write_png(path.c_str(), image.width, image.height, 4, image.pixels.data(),
                        image.width * 4)) {
        throw std::runtime_error("Unable to write " + path);
    }
}

namespace {

// For one axis: the source span [first, last] each target cell covers, with the weight of the
// partly covered end cells.
struct Span {
    int first;
    int last;
    double firstWeight;
    double lastWeight;
};

std::vector<Span> spans(int sourceSize, int targetSize) {
    std::vector<Span> result(static_cast<std::size_t>(targetSize));
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (int i = 0; i < targetSize; ++i) {
        const double begin = i * scale;
        const double end = std::min<double>((i + 1) * scale, sourceSize);
        Span& span = result[static_cast<std::size_t>(i)];
        span.first = static_cast<int>(std::floor(begin));
        span.last = std::max(span.first, static_cast<int>(std::ceil(end)) - 1);
        if (span.first == span.last) {
            span.firstWeight = span.lastWeight = end - begin;
        } else {
            span.firstWeight = (span.first + 1) - begin;
            span.lastWeight = end - span.last;
        }
    }
    return result;
}

double weightAt(const Span& span, int index) {
    if (index == span.first) {
        return span.firstWeight;
    }
    if (index == span.last) {
        return span.lastWeight;
    }
    return 1.0;
}

} // namespace

RgbaImage resize(const RgbaImage& source, int width, int height) {
    RgbaImage target(width, height);
    const std::vector<Span> columns = spans(source.width, width);
    const std::vector<Span> rows = spans(source.height, height);
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Span& column = columns[static_cast<std::size_t>(x)];
            double sum[4] = {0, 0, 0, 0};
            double total = 0;
            for (int sy = row.first; sy <= row.last; ++sy) {
                const double wy = weightAt(row, sy);
                for (int sx = column.first; sx <= column.last; ++sx) {
                    const double w = wy * weightAt(column, sx);
                    const std::uint8_t* pixel = source.at(sx, sy);
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += w * pixel[c];
                    }
                    total += w;
                }
            }
            std::uint8_t* out = target.at(x, y);
            for (int c = 0; c < 4; ++c) {
                out[c] = static_cast<std::uint8_t>(std::lround(sum[c] / total));
            }
        }
    }
    return target;
}

void fill(RgbaImage& image, int x, int y, int width, int height, const std::uint8_t rgba[4]) {
    for (int row = std::max(0, y); row < std::min(image.height, y + height); ++row) {
        for (int column = std::max(0, x); column < std::min(image.width, x + width); ++column) {
            std::copy_n(rgba, 4, image.at(column, row));
        }
    }
}

void paste(RgbaImage& target, const RgbaImage& source, int x, int y) {
    for (int row = 0; row < source.height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= target.height) {
            continue;
        }
        for (int column = 0; column < source.width; ++column) {
            const int tx = x + column;
            if (tx < 0 || tx >= target.width) {
                continue;
            }
            const std::uint8_t* from = source.at(column, row);
            std::uint8_t* to = target.at(tx, ty);
            const int alpha = from[3];
            for (int c = 0; c < 3; ++c) {
                to[c] = static_cast<std::uint8_t>((from[c] * alpha + to[c] * (255 - alpha) + 127) /
                                                  255);
            }
            to[3] = static_cast<std::uint8_t>(std::max<int>(to[3], alpha));
        }
    }
}
