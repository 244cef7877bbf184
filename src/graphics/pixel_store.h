#pragma once
// The memory behind a bitmap's rows. Large stores are mapped on their own,
// aligned to 2 MB and marked for huge pages: a fresh 36 MB picture then costs
// a few dozen page faults instead of nine thousand, which on a virtual machine
// is the difference between a turn taking 5 ms and 130 ms. Small stores come
// from the ordinary heap. The last two large stores given back (256 MB at
// most) are kept for the next picture of the same size: a routine that
// replaces a picture with a new one of its size then neither maps nor faults
// anything.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace kel {

struct PixelStoreRelease {
    std::size_t mappedBytes = 0; // 0: allocated with new[]
    void operator()(std::uint8_t* store) const noexcept;
};

using PixelStore = std::unique_ptr<std::uint8_t[], PixelStoreRelease>;

// Uninitialised or zeroed bytes; an empty store when memory runs out.
PixelStore allocatePixelStore(std::size_t bytes);

// Unmaps the large stores kept for reuse.
void releaseKeptPixelStores();

// Bytes of the large stores that bitmaps hold now, the kept ones not counted:
// with the heap in use, all the memory the pictures take.
std::size_t mappedPixelStoreBytesInUse();

} // namespace kel
