#include "app/document/colour_count_aside.h"

#include "app/document/colour_count.h"

#include <new>
#include <system_error>

namespace kel {

ColourCountAside::~ColourCountAside() { stop(); }

void ColourCountAside::rowsAhead(const std::uint8_t* firstRow, std::ptrdiff_t stride, int width, int height)
{
    stop();
    firstRow_ = firstRow;
    stride_ = stride;
    width_ = width;
    height_ = height;
    counted_ = -1;
    finished_.store(0);
    try {
        thread_ = std::thread(&ColourCountAside::countRows, this);
    } catch (const std::system_error&) {
        // No thread to spare: the picture is counted after its decode instead.
    }
}

void ColourCountAside::rowsFinished(int count)
{
    finished_.store(count, std::memory_order_release);
    finished_.notify_one();
}

void ColourCountAside::decodeOver(bool complete)
{
    // Rows that are about to be released must no longer be read.
    if (!complete) stop();
}

void ColourCountAside::stop()
{
    if (!thread_.joinable()) return;
    if (finished_.load() < height_) {
        finished_.store(kStopped);
        finished_.notify_one();
    }
    thread_.join();
}

void ColourCountAside::countRows()
{
    try {
        ColourTally tally;
        int done = 0;
        while (done < height_) {
            const int ready = finished_.load(std::memory_order_acquire);
            if (ready == kStopped) return;
            if (ready == done) {
                finished_.wait(done, std::memory_order_acquire);
                continue;
            }
            for (; done < ready; ++done) tally.addBgrRow(firstRow_ + done * stride_, width_);
        }
        counted_ = tally.count();
    } catch (const std::bad_alloc&) {
        // No room for the set: the picture is counted after its decode instead.
    }
}

int ColourCountAside::countOf(const Bitmap& bitmap)
{
    const bool decodeFollowed = thread_.joinable();
    stop();
    // Copies share the decoded rows until one of them writes, and a writer
    // takes rows of its own first: the same rows are the same pixels.
    const bool sameRows = decodeFollowed && counted_ >= 0 && bitmap.pixelFormat() == pf24bit
                          && bitmap.width() == width_ && bitmap.height() == height_
                          && bitmap.bytesPerLine() == stride_ && bitmap.rowUnchecked(0) == firstRow_;
    return sameRows ? counted_ : CountColors(bitmap);
}

} // namespace kel
