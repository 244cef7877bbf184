#include "graphics/pixel_store.h"

#include <sys/mman.h>

#include <array>
#include <atomic>
#include <mutex>
#include <new>
#include <utility>

namespace kel {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer only guards heap blocks: keep every store there.
constexpr std::size_t kMappedFrom = ~std::size_t(0);
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kMappedFrom = ~std::size_t(0);
#else
constexpr std::size_t kMappedFrom = 2 * kHugePage;
#endif
#else
constexpr std::size_t kMappedFrom = 2 * kHugePage;
#endif

std::size_t roundUp(std::size_t bytes, std::size_t unit) { return (bytes + unit - 1) / unit * unit; }

// A mapping of `bytes` (a multiple of the huge page) starting on a huge page:
// map one huge page more, then give back what lies before and after.
std::uint8_t* mapAligned(std::size_t bytes)
{
    const std::size_t spare = bytes + kHugePage;
    void* mapped = mmap(nullptr, spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    auto* first = static_cast<std::uint8_t*>(mapped);
    auto* aligned = reinterpret_cast<std::uint8_t*>(roundUp(reinterpret_cast<std::uintptr_t>(first), kHugePage));
    if (aligned > first) munmap(first, std::size_t(aligned - first));
    const std::size_t after = std::size_t(first + spare - (aligned + bytes));
    if (after > 0) munmap(aligned + bytes, after);
    madvise(aligned, bytes, MADV_HUGEPAGE); // advice only: without it the store still works
    return aligned;
}

// Stores given back, most recent last, for the next allocation of their size.
class KeptStores {
public:
    std::uint8_t* take(std::size_t bytes)
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = count_; i-- > 0;) {
            if (kept_[i].second != bytes) continue;
            std::uint8_t* store = kept_[i].first;
            for (std::size_t j = i; j + 1 < count_; ++j) kept_[j] = kept_[j + 1];
            --count_;
            return store;
        }
        return nullptr;
    }

    // Keeps the store, giving back the oldest kept ones beyond two or beyond
    // kKeptBytes in all; a store larger than that is given back at once, so that
    // one passing huge picture does not stay resident.
    void keep(std::uint8_t* store, std::size_t bytes)
    {
        if (bytes > kKeptBytes) {
            munmap(store, bytes);
            return;
        }
        std::lock_guard lock(mutex_);
        while (count_ > 0 && (count_ == kept_.size() || keptBytes() + bytes > kKeptBytes)) {
            munmap(kept_[0].first, kept_[0].second);
            for (std::size_t j = 0; j + 1 < count_; ++j) kept_[j] = kept_[j + 1];
            --count_;
        }
        kept_[count_++] = {store, bytes};
    }

    void releaseAll()
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < count_; ++i) munmap(kept_[i].first, kept_[i].second);
        count_ = 0;
    }

private:
    static constexpr std::size_t kKeptBytes = std::size_t(256) << 20; // two 48 MP pictures do not fit, two 12 MP ones do

    std::size_t keptBytes() const
    {
        std::size_t total = 0;
        for (std::size_t i = 0; i < count_; ++i) total += kept_[i].second;
        return total;
    }

    std::mutex mutex_;
    std::array<std::pair<std::uint8_t*, std::size_t>, 2> kept_{};
    std::size_t count_ = 0;
};

KeptStores& keptStores()
{
    static KeptStores* stores = new KeptStores; // never destroyed: bitmaps may outlive statics
    return *stores;
}

std::atomic<std::size_t> mappedInUse{0};

} // namespace

void releaseKeptPixelStores() { keptStores().releaseAll(); }

std::size_t mappedPixelStoreBytesInUse() { return mappedInUse.load(std::memory_order_relaxed); }

void PixelStoreRelease::operator()(std::uint8_t* store) const noexcept
{
    if (mappedBytes > 0) {
        mappedInUse.fetch_sub(mappedBytes, std::memory_order_relaxed);
        keptStores().keep(store, mappedBytes);
    } else {
        delete[] store;
    }
}

PixelStore allocatePixelStore(std::size_t bytes)
{
    if (bytes >= kMappedFrom) {
        const std::size_t mapped = roundUp(bytes, kHugePage);
        std::uint8_t* store = keptStores().take(mapped);
        if (!store) store = mapAligned(mapped);
        if (!store) {
            releaseKeptPixelStores(); // memory is short: give back what is kept, then try again
            store = mapAligned(mapped);
        }
        if (!store) return PixelStore();
        mappedInUse.fetch_add(mapped, std::memory_order_relaxed);
        return PixelStore(store, PixelStoreRelease{mapped});
    }
    return PixelStore(new (std::nothrow) std::uint8_t[bytes], PixelStoreRelease{});
}

} // namespace kel
