#pragma once
// What the GIF reader and writer share: closing giflib's handle however the
// function that opened it ends.
#include <gif_lib.h>

namespace kel::codecs::detail {

// Closes the handle with DGifCloseFile or EGifCloseFile, unless `gif` was
// set back to nullptr (by a caller that closes it itself to see the result).
template <int (*Close)(GifFileType*, int*)>
struct GifCloser {
    GifFileType* gif = nullptr;
    ~GifCloser()
    {
        if (gif) {
            int error = 0;
            Close(gif, &error);
        }
    }
};

} // namespace kel::codecs::detail
