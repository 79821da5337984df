// Counts heap allocations made while frames are drawn: this binary replaces operator new and
// delete, and malloc, so it is no test for the sanitizer build, whose allocator they are. Only
// calls from its own code count: the GL driver, a shared library (llvmpipe compiles shaders
// with LLVM), allocates as it sees fit, not the program's doing.

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/Frame.h"
#include "gfx/TextTexture.h"
#include "scenes/Texts.h"
#include "support/LoadedShow.h"

extern "C" char __executable_start;
extern "C" char etext;

namespace {

std::atomic<bool> counting{false};
std::atomic<long> newCalls{0};
std::atomic<long> mallocCalls{0};

void countIfOurs(std::atomic<long>& calls, const void* caller) {
    const auto* at = static_cast<const char*>(caller);
    if (counting.load(std::memory_order_relaxed) && at >= &__executable_start && at < &etext) {
        calls.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* malloc(std::size_t size) {
    countIfOurs(mallocCalls, __builtin_return_address(0));
    return __libc_malloc(size);
}

[[gnu::noinline]] void* operator new(std::size_t size) {
    countIfOurs(newCalls, __builtin_return_address(0));
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// A frame of every scene and scene combination, the show's last frame among them.
const std::vector<std::uint32_t> kFrameTimes = {1000,  4999,  5200,  6000,  10000,  13500, 20000,
                                                30000, 34999, 35001, 40000, 100000, 158189};

// Calls of operator new and of malloc.
std::pair<long, long> countFrames(Show& show) {
    newCalls = 0;
    mallocCalls = 0;
    counting = true;
    for (const std::uint32_t t : kFrameTimes) {
        drawFrame(show, t);
    }
    counting = false;
    glFinish();
    return {newCalls.load(), mallocCalls.load()};
}

// The counters themselves must see allocations, or a zero below would prove nothing.
TEST(FrameAllocations, TheCountersSeeAllocations) {
    counting = true;
    auto* vector = new std::vector<int>(100);
    void* block = std::malloc(64);
    counting = false;
    EXPECT_GE(newCalls.load(), 2);
    EXPECT_GE(mallocCalls.load(), 1);
    std::free(block);
    delete vector;
}

TEST(FrameAllocations, NoFrameOfAnySceneAllocates) {
    LoadedShow loaded(320, 180);
    const TextSurfacePtr line =
        renderText(loaded.platform.font(), kScrollerText, {255, 255, 255, 255});
    // The scroller both whole and in pieces, as on a GL implementation with a smaller limit.
    for (const int maxWidth : {line->w, 997}) {
        makeTextTexture(*line, loaded.show.scroller, GL_NEAREST, maxWidth);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        countFrames(loaded.show); // warm-up: the GL implementation builds its state once
        EXPECT_EQ(countFrames(loaded.show), std::pair(0L, 0L)) << "pieces of " << maxWidth;
    }
}

} // namespace
