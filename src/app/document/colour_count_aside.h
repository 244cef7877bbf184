#pragma once
// Counts the colours of a picture while it is still being decoded, on a
// thread of its own that follows the finished rows: set as the decode watch
// around the loading of a file, then asked for the count of the picture shown.
#include "codecs/decode_watch.h"
#include "graphics/bitmap.h"

#include <atomic>
#include <thread>

namespace kel {

class ColourCountAside final : public codecs::DecodeWatch {
public:
    ColourCountAside() = default;
    ~ColourCountAside();
    ColourCountAside(const ColourCountAside&) = delete;
    ColourCountAside& operator=(const ColourCountAside&) = delete;

    // The distinct colours of `bitmap`: the count of the followed decode when
    // `bitmap` holds the very rows it decoded, otherwise counted now.
    int countOf(const Bitmap& bitmap);

    void rowsAhead(const std::uint8_t* firstRow, std::ptrdiff_t stride, int width, int height) override;
    void rowsFinished(int count) override;
    void decodeOver(bool complete) override;

private:
    static constexpr int kStopped = -1;

    void countRows();
    void stop();

    const std::uint8_t* firstRow_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::atomic<int> finished_{0}; // rows ready to count, or kStopped
    int counted_ = -1;             // the count once every row was counted
    std::thread thread_;
};

} // namespace kel
