// Large pixel stores are mapped and reused: what one bitmap leaves behind must
// never show through another, and row work split between cores must cover
// every row once.
#include "graphics/bitmap.h"
#include "graphics/pixel_store.h"
#include "graphics/split_rows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace kel {
namespace {

void fillBytes(Bitmap& bitmap, std::uint8_t value)
{
    std::memset(bitmap.rowUnchecked(0), value, std::size_t(bitmap.bytesPerLine()) * std::size_t(bitmap.height()));
}

TEST(PixelStoreTest, ReusedStoresShowNothingOfTheirLastOwner)
{
    // Large enough to be mapped, with one padding byte a row (24-bit) or a
    // shared last byte (1-bit).
    struct Case {
        int width, height;
        PixelFormat format;
        int usedBytes; // whole bytes of pixels in a row
    };
    for (const Case& c : {Case{1001, 2000, pf24bit, 3003}, Case{20001, 2000, pf1bit, 2500}}) {
        {
            Bitmap previous(c.width, c.height, c.format);
            fillBytes(previous, 0xAB);
        }
        const Bitmap white(c.width, c.height, c.format);
        const Bitmap unfilled = Bitmap::forOverwrite(c.width, c.height, c.format);
        for (int y : {0, c.height - 1}) {
            for (int i = c.usedBytes; i < unfilled.bytesPerLine(); ++i)
                ASSERT_EQ(unfilled.rowUnchecked(y)[i], 0) << "padding byte " << i << " of row " << y;
            EXPECT_EQ(white.pixel(c.width - 1, y), clWhite);
        }
    }
}

TEST(PixelStoreTest, CopiesStayApartWhenStoresAreReused)
{
    Bitmap first(3000, 1000);
    fillBytes(first, 7);
    const Bitmap copy(first);
    first = Bitmap(); // its store is kept for reuse...
    Bitmap next(3000, 1000);
    fillBytes(next, 9); // ...and taken here
    Bitmap another(3000, 1000);
    fillBytes(another, 11);
    for (int y : {0, 500, 999}) {
        EXPECT_EQ(copy.rowUnchecked(y)[0], 7);
        EXPECT_EQ(next.rowUnchecked(y)[8999], 9);
        EXPECT_EQ(another.rowUnchecked(y)[4000], 11);
    }
}

TEST(PixelStoreTest, BytesInUseFollowTheStoresBitmapsHold)
{
    // 9 MB of rows: a mapping of 10 MB, or none where every store is on the heap.
    constexpr std::size_t kMapping = std::size_t(10) << 20;
    const std::size_t before = mappedPixelStoreBytesInUse();
    {
        Bitmap picture(3000, 1000);
        const std::size_t one = mappedPixelStoreBytesInUse() - before;
        ASSERT_TRUE(one == 0 || one == kMapping) << one;
        Bitmap copy(picture);
        EXPECT_EQ(mappedPixelStoreBytesInUse() - before, one) << "a shared store counts once";
        copy.detach();
        EXPECT_EQ(mappedPixelStoreBytesInUse() - before, 2 * one);
    }
    EXPECT_EQ(mappedPixelStoreBytesInUse(), before) << "stores given back are no longer in use";
}

TEST(SplitRowsTest, EveryRowOnceWhateverTheSplit)
{
    struct Case {
        int rows;
        std::int64_t pixels;
        int granule;
    };
    for (const Case& c : {Case{0, 0, 1}, Case{1, kPixelsWorthAThread, 64}, Case{3000, 12000000, 128},
                          Case{129, kPixelsWorthAThread, 64}, Case{7, 100, 1}, Case{1000, kPixelsWorthAThread, 1}}) {
        std::vector<std::atomic<int>> visits(std::size_t(c.rows));
        splitRows(c.rows, c.pixels, c.granule, [&](int from, int to) {
            if (c.granule > 1 && from > 0) EXPECT_EQ(from % c.granule, 0);
            for (int y = from; y < to; ++y) ++visits[std::size_t(y)];
        });
        for (int y = 0; y < c.rows; ++y) ASSERT_EQ(visits[std::size_t(y)], 1) << c.rows << " rows, row " << y;
    }
}

TEST(SplitRowsTest, AFailureOnEitherBandReachesTheCaller)
{
    for (bool lowerFails : {false, true}) {
        EXPECT_THROW(splitRows(1000, 2 * kPixelsWorthAThread, 1,
                               [&](int from, int) {
                                   if ((from > 0) == lowerFails) throw std::runtime_error("band");
                               }),
                     std::runtime_error);
    }
}

} // namespace
} // namespace kel
