#include "operations/special/spray.h"

#include "graphics/random.h"
#include "graphics/split_rows.h"
#include "operations/special/in_24bit.h"
#include "operations/special/spray_draws.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

namespace kel {

namespace {

// Copies one 24-bit pixel; `from` may be `to`.
inline void copyPixel(std::uint8_t* to, const std::uint8_t* from)
{
    const std::uint8_t b = from[0], g = from[1], r = from[2];
    to[0] = b;
    to[1] = g;
    to[2] = r;
}

constexpr int kReach = kSprayRadius - 1; // |b - c| and |b - d| are at most this
constexpr int kLag = kReach + 1, kBand = 16, kRowsAhead = 12;
// A band at step s reads and overwrites, within kReach columns of its left
// edge, rows up to s + kReach, which the band to its left has finished with
// once its last column, (kBand - 1) * kLag rows behind its first, has passed
// them: the band to the left must be this many steps ahead.
constexpr int kBandLead = kReach + (kBand - 1) * kLag + 1;
constexpr int kStepsPerNotice = 64;
constexpr int kBandDone = std::numeric_limits<int>::max();

// The steps a band has finished, on a cache line of its own.
struct alignas(64) BandProgress {
    std::atomic<int> steps{0};
};

// Columns are worked in bands, skewed: band column k runs kLag * k rows behind
// column 0. A pixel reads only within kReach columns and rows of itself, and
// kLag > kReach, so every pixel still finds each neighbour written or not yet
// written just as in the plain order (column by column, each top to bottom),
// while the band's rows stay in the cache between its columns. Bands go
// alternately to two threads, each band kBandLead steps behind the one to
// its left, which gives the same reads again.
class SprayBands {
public:
    SprayBands(Bitmap& rows, std::uint32_t seed)
        : width_(rows.width()), height_(rows.height()), base_(rows.rowUnchecked(0)), stride_(rows.bytesPerLine()),
          seed_(seed), progress_(std::size_t((width_ + kBand - 1) / kBand))
    {
    }

    // Works every band; true when a pixel near an edge took a colour.
    bool run()
    {
        const bool twoThreads = progress_.size() > 1 && std::int64_t(width_) * height_ >= kPixelsWorthAThread &&
                                std::thread::hardware_concurrency() >= 2;
        Draws draws[2] = {Draws(height_), twoThreads ? Draws(height_) : Draws(0)};
        bool edgeWritten[2] = {false, false};
        std::thread other;
        if (twoThreads) {
            try {
                other = std::thread([&] { edgeWritten[1] = work(1, 2, draws[1]); });
            } catch (const std::system_error&) {
            }
        }
        edgeWritten[0] = other.joinable() ? work(0, 2, draws[0]) : work(0, 1, draws[0]);
        if (other.joinable()) other.join();
        return edgeWritten[0] || edgeWritten[1];
    }

private:
    // One band's offsets, column after column.
    struct Draws {
        std::vector<std::int8_t> dx, dy;
        explicit Draws(int height) : dx(std::size_t(kBand) * std::size_t(height)), dy(dx.size()) {}
    };

    // Bands first, first + every, ...
    bool work(int first, int every, Draws& draws)
    {
        bool edgeWritten = false;
        for (int band = first; band < int(progress_.size()); band += every)
            edgeWritten |= work(band, draws.dx, draws.dy);
        return edgeWritten;
    }

    bool work(int band, std::vector<std::int8_t>& dx, std::vector<std::int8_t>& dy)
    {
        const int first = band * kBand, columns = std::min(kBand, width_ - first);
        const std::size_t columnSize = std::size_t(height_);
        std::uint32_t seed = spray_detail::seedAfter(seed_, 3 * std::uint64_t(first) * columnSize);
        for (int k = 0; k < columns; ++k)
            spray_detail::drawOffsets(seed, kSprayRadius, height_, dx.data() + std::size_t(k) * columnSize,
                                      dy.data() + std::size_t(k) * columnSize);
        bool edgeWritten = false;
        const auto move = [&](int x, int y, std::size_t at) {
            const int sx = x + dx[at], sy = y + dy[at];
            if (sx < 0 || sx >= width_ || sy < 0 || sy >= height_) return;
            copyPixel(pixelAt(x, y), pixelAt(sx, sy));
            edgeWritten = true;
        };
        const int steps = height_ + (columns - 1) * kLag;
        const auto checkedSteps = [&](int from, int to) {
            for (int step = from; step < to; ++step)
                for (int k = 0, y = step; k < columns && y >= 0; ++k, y -= kLag)
                    if (y < height_) move(first + k, y, std::size_t(k) * columnSize + std::size_t(y));
        };
        // Steps at which every column of an inside band is on an inside row.
        const bool insideBand = first >= kReach && first + columns - 1 + kReach < width_;
        const int freeFrom = insideBand ? (columns - 1) * kLag + kReach : steps;
        const int freeTo = insideBand ? std::max(height_ - kReach, freeFrom) : steps;
        const std::atomic<int>* left = band > 0 ? &progress_[std::size_t(band - 1)].steps : nullptr;
        for (int from = 0; from < steps; from += kStepsPerNotice) {
            const int to = std::min(from + kStepsPerNotice, steps);
            if (left) waitFor(*left, to - 1 + kBandLead);
            checkedSteps(from, std::min(to, freeFrom));
            freeSteps(first, std::max(from, freeFrom), std::min(to, freeTo), dx.data(), dy.data());
            checkedSteps(std::max(from, freeTo), to);
            progress_[std::size_t(band)].steps.store(to, std::memory_order_release);
        }
        progress_[std::size_t(band)].steps.store(kBandDone, std::memory_order_release);
        return edgeWritten;
    }

    // Steps of a whole inside band whose every move stays inside: no checks.
    void freeSteps(int first, int from, int to, const std::int8_t* dx, const std::int8_t* dy) const
    {
        const std::ptrdiff_t nextColumn = 3 - kLag * stride_;
        const std::size_t nextDraw = std::size_t(height_) - std::size_t(kLag);
        for (int step = from; step < to; ++step) {
            std::uint8_t* pixel = pixelAt(first, step);
            // The band's rows a little further down, asked for early (the
            // band's bytes may straddle two cache lines).
            const std::uint8_t* ahead = pixel + stride_ * std::min(kRowsAhead, height_ - 1 - step);
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(ahead + 3 * kBand - 1, 1);
            const std::int8_t* across = dx + std::size_t(step);
            const std::int8_t* down = dy + std::size_t(step);
            for (int k = 0; k < kBand; ++k, pixel += nextColumn, across += nextDraw, down += nextDraw)
                copyPixel(pixel, pixel + stride_ * *down + 3 * *across);
        }
    }

    static void waitFor(const std::atomic<int>& steps, int needed)
    {
        for (int spins = 0; steps.load(std::memory_order_acquire) < needed; ++spins)
            if (spins > 64) std::this_thread::yield();
    }

    std::uint8_t* pixelAt(int x, int y) const { return base_ + stride_ * y + 3 * x; }

    int width_, height_;
    std::uint8_t* base_;
    std::ptrdiff_t stride_;
    std::uint32_t seed_;
    std::vector<BandProgress> progress_;
};

} // namespace

void spray(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bool written = false;
    workOn24BitRows(bitmap, [&written](Bitmap& rows) {
        RandomGenerator& random = programRandom();
        const std::uint32_t seed = random.seed();
        const bool edgeWritten = SprayBands(rows, seed).run();
        random.setSeed(spray_detail::seedAfter(seed, 3 * std::uint64_t(rows.width()) * std::uint64_t(rows.height())));
        // Pixels away from the edges always take a colour.
        written = edgeWritten || (rows.width() > 2 * kReach && rows.height() > 2 * kReach);
    });
    if (written) bitmap.changed();
}

void triangles(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    int size = kTrianglesSize < 5 ? 5 : kTrianglesSize;
    size = (size / 2) * 2 + 1;
    const int half = size / 2;
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        int step = y % (size - 1);
        if (step > half) step = 2 * half - step;
        if (step == 0) step = size;
        const int extra = std::abs(half - y % size) + half;
        std::uint8_t* row = bitmap.rowUnchecked(y);
        std::uint8_t held[3] = {row[0], row[1], row[2]};
        int xStep = 0, xExtra = 0; // x mod step, x mod extra
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = row + 3 * x;
            if (xStep == 0 || xExtra == 1) {
                held[0] = pixel[0];
                held[1] = pixel[1];
                held[2] = pixel[2];
            }
            pixel[0] = held[0];
            pixel[1] = held[1];
            pixel[2] = held[2];
            if (++xStep == step) xStep = 0;
            if (++xExtra == extra) xExtra = 0;
        }
    }
}

} // namespace kel
