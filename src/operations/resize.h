#pragma once
// Resizing a picture: the sizes the resize page proposes and commits, and the
// nearest-pixel stretch (rows and columns repeated or dropped, no averaging).
#include "graphics/bitmap.h"

namespace kel {

struct PictureSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size proposed at `percent`: trunc(W x p / 100) and trunc(H x p / 100),
// products in 64 bits so that large pictures at high percentages do not wrap.
PictureSize proposedSize(int width, int height, int percent);

// The size committed from the two edits, keeping the aspect ratio of a
// non-square picture: a portrait picture follows the height edit, a landscape
// one the width edit, a square one takes both. Divisions truncate.
PictureSize committedSize(int width, int height, int editWidth, int editHeight);

// A bitmap of width x height in the screen's format with `source` stretched
// onto all of it. A negative size or one beyond the bitmap limits throws
// OutOfResources before anything is allocated; 0 gives an empty bitmap.
Bitmap stretchedBitmap(const Bitmap& source, int width, int height);

// Stretches `source` onto the whole of `target`, whatever its size.
void stretchInto(const Bitmap& source, Bitmap& target);

} // namespace kel
