#include "Progress.h"

#include <algorithm>
#include <cmath>

#include "CaptureSystem.h"

std::string remainingText(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(std::max(0.0, seconds)));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

std::string progressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                         int barWidth) {
    const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / total;
    const int filled = static_cast<int>(std::floor(fraction * barWidth));
    std::string bar(static_cast<std::size_t>(barWidth) + 2, '-');
    bar.front() = '[';
    bar.back() = ']';
    std::fill_n(bar.begin() + 1, filled, '#');
    char counts[64];
    std::snprintf(counts, sizeof counts, "  %llu/%llu frames",
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    std::string rate = "     -- fps      -- left";
    if (done > 0 && elapsedSeconds > 0) {
        const double fps = done / elapsedSeconds;
        const double left = (total - done) / fps;
        char text[64];
        std::snprintf(text, sizeof text, "  %6.1f fps  %7s left", fps, remainingText(left).c_str());
        rate = text;
    }
    return bar + counts + rate;
}

Progress::Progress(std::uint64_t total, std::FILE* out)
    : total_(total), out_(out), terminal_(isTerminal(out)), start_(Clock::now()),
      lastDrawn_(start_) {}

void Progress::update(std::uint64_t done) {
    done_ = done;
    if (total_ <= 1) {
        return;
    }
    const auto now = Clock::now();
    const auto every = terminal_ ? std::chrono::milliseconds(200) : std::chrono::seconds(10);
    if (now - lastDrawn_ >= every) {
        lastDrawn_ = now;
        draw(done);
    }
}

void Progress::finish() {
    if (total_ <= 1) {
        return;
    }
    draw(done_);
    if (terminal_) {
        std::fputc('\n', out_);
    }
    std::fflush(out_);
}

void Progress::draw(std::uint64_t done) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    const std::string line = progressLine(done, total_, elapsed, 30);
    if (terminal_) {
        std::fprintf(out_, "\r%s", line.c_str());
    } else {
        std::fprintf(out_, "%s\n", line.c_str());
    }
    std::fflush(out_);
}
