// libFuzzer target over the image loading path: decode, row flip, and the byte count the
// texture upload reads. GL itself is replaced by a reader that touches every byte
// glTexImage2D would read, so the sanitizers see any mismatch between sizes and buffer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "gfx/DecodedImage.h"
#include "gfx/UploadFormat.h"

namespace {

// Large enough for every real texture, small enough to keep each run quick.
constexpr int kMaxSide = 2048;

volatile unsigned sink = 0;

// Stands in for glTexImage2D with GL_UNPACK_ALIGNMENT 1 and GL_UNSIGNED_BYTE samples.
void readAsUpload(const DecodedImage& image) {
    const UploadFormat format = uploadFormatFor(image.channels);
    const std::size_t bytes = static_cast<std::size_t>(image.width) *
                              static_cast<std::size_t>(image.height) *
                              static_cast<std::size_t>(format.bytesPerPixel);
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxSide ||
        image.height > kMaxSide || bytes != image.byteCount()) {
        std::abort();
    }
    unsigned sum = 0;
    const unsigned char* pixels = image.pixels.get();
    for (std::size_t i = 0; i < bytes; ++i) {
        sum += pixels[i];
    }
    sink = sink + sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const DecodedImage image = decodeImageBytes(data, size, "fuzz.png", kMaxSide);
        readAsUpload(image);
    } catch (const std::runtime_error&) {
        // Refusing the input with a message is the expected outcome for most inputs.
    }
    return 0;
}
