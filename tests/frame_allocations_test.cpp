// Counts heap allocations made while frames are drawn. This binary replaces the global
// operator new and delete, and, outside AddressSanitizer builds (which own malloc), malloc
// itself. Only mallocs called from this executable's own code count: the GL driver, a shared
// library, allocates as it sees fit, and that is not the program's doing.

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL_ttf.h>

#include "app/Frame.h"
#include "gfx/TextTexture.h"
#include "scenes/Texts.h"
#include "support/TestData.h"
#include "support/TestShow.h"

#if defined(__SANITIZE_ADDRESS__)
#define COUNTS_MALLOC 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COUNTS_MALLOC 0
#endif
#endif
#ifndef COUNTS_MALLOC
#define COUNTS_MALLOC 1
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<long> newCalls{0};
std::atomic<long> mallocCalls{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        newCalls.fetch_add(1, std::memory_order_relaxed);
    }
    return std::malloc(size == 0 ? 1 : size);
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (counting.load(std::memory_order_relaxed)) {
        newCalls.fetch_add(1, std::memory_order_relaxed);
    }
    const auto align = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(align, (size + align - 1) / align * align);
}

// Kept out of line so that the compiler does not pair it with the operator new above.
[[gnu::noinline]] void release(void* p) {
    std::free(p);
}

} // namespace

#if COUNTS_MALLOC
extern "C" char __executable_start;
extern "C" char etext;
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* malloc(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        const auto* caller = static_cast<const char*>(__builtin_return_address(0));
        if (caller >= &__executable_start && caller < &etext) {
            mallocCalls.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return __libc_malloc(size);
}
#endif

void* operator new(std::size_t size) {
    if (void* p = allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* p = allocateAligned(size, alignment)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return operator new(size, alignment);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}

namespace {

// A frame of every scene and scene combination, the show's last frame among them.
const std::vector<std::uint32_t> kFrameTimes = {
    1000, 4999, 5200, 6000, 10000, 13500, 20000, 30000, 34999, 35001, 40000, 100000, 158189,
};

struct Counts {
    long news;
    long mallocs;
};

Counts countFrames(Show& show) {
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
    if (COUNTS_MALLOC) {
        EXPECT_GE(mallocCalls.load(), 1);
    }
    std::free(block);
    delete vector;
}

TEST(FrameAllocations, NoFrameOfAnySceneAllocates) {
    ASSERT_EQ(TTF_Init(), 0);
    TTF_Font* font = TTF_OpenFont(kSystemFont.c_str(), 45);
    ASSERT_NE(font, nullptr);
    const TextSurfacePtr line = renderText(font, kScrollerText, {255, 255, 255, 255});
    // The scroller both whole and in pieces, as on a GL implementation with a smaller limit.
    for (const int maxWidth : {line->w, 997}) {
        Stage& stage = Stage::at(320, 180);
        stage.restart();
        Show& show = stage.show();
        makeTextTexture(*line, show.scroller, GL_NEAREST, maxWidth);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        countFrames(show); // warm-up: the GL implementation builds its state once
        const Counts counts = countFrames(show);
        EXPECT_EQ(counts.news, 0) << "pieces of " << maxWidth;
        EXPECT_EQ(counts.mallocs, 0) << "pieces of " << maxWidth;
    }
    Stage::close();
    TTF_CloseFont(font);
}

} // namespace
