#pragma once
// Runs a routine written for rows of blue, green, red bytes on a bitmap of any
// format: a 24-bit bitmap is worked on directly, any other through a 24-bit
// copy whose result is written back in the bitmap's own format. The write-back
// goes through the rows, so it notifies no more than the routine itself would.
#include "graphics/bitmap.h"
#include "graphics/pixel_rows.h"

#include <utility>

namespace kel {

template <class Routine>
void workOn24BitRows(Bitmap& bitmap, Routine&& routine)
{
    if (bitmap.pixelFormat() == pf24bit) {
        std::forward<Routine>(routine)(bitmap);
        return;
    }
    Bitmap work(bitmap.width(), bitmap.height(), pf24bit);
    convertRows(bitmap, work);
    std::forward<Routine>(routine)(work);
    convertRows(work, bitmap);
}

} // namespace kel
