#include "app/document/colour_count.h"

#include "graphics/pixel_rows.h"

#include <bit>
#include <cstring>
#include <mutex>
#include <vector>

namespace kel {

namespace {

constexpr std::size_t kWords = (std::size_t(1) << 24) / 64;

// Sets given back, for the next tally; two at most (a count beside a decode
// and one on the main thread).
class KeptSets {
public:
    std::unique_ptr<std::uint64_t[]> take()
    {
        {
            std::lock_guard lock(mutex_);
            if (!kept_.empty()) {
                std::unique_ptr<std::uint64_t[]> bits = std::move(kept_.back());
                kept_.pop_back();
                return bits;
            }
        }
        return std::unique_ptr<std::uint64_t[]>(new std::uint64_t[kWords]);
    }

    void giveBack(std::unique_ptr<std::uint64_t[]> bits)
    {
        std::lock_guard lock(mutex_);
        if (kept_.size() < 2) kept_.push_back(std::move(bits));
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<std::uint64_t[]>> kept_;
};

KeptSets& keptSets()
{
    static KeptSets* sets = new KeptSets; // never destroyed: a tally may outlive statics
    return *sets;
}

} // namespace

ColourTally::ColourTally() : bits_(keptSets().take())
{
    std::memset(bits_.get(), 0, kWords * sizeof(std::uint64_t));
}

ColourTally::~ColourTally() { keptSets().giveBack(std::move(bits_)); }

int ColourTally::count() const
{
    int total = 0;
    for (std::size_t i = 0; i < kWords; ++i) total += std::popcount(bits_[i]);
    return total;
}

int CountColors(const Bitmap& bitmap)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0) return 0;

    ColourTally colours;
    if (bitmap.pixelFormat() == pf24bit) {
        for (int y = 0; y < height; ++y) colours.addBgrRow(bitmap.rowUnchecked(y), width);
    } else {
        // Other formats are read through their own row layout, one row at a time.
        std::vector<Colour> row(std::size_t(width), 0);
        for (int y = 0; y < height; ++y) {
            readRow(bitmap, y, row.data());
            for (Colour c : row)
                colours.add(std::uint32_t(redOf(c)) << 16 | std::uint32_t(greenOf(c)) << 8 | std::uint32_t(blueOf(c)));
        }
    }
    return colours.count();
}

} // namespace kel
