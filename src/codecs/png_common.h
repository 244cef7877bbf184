#pragma once
// What the PNG reader and writer share: libpng's error and warning handlers
// and its reading and writing from and to memory. libpng reports errors by
// png_error, which lands in pngError: it keeps the message and longjmps back
// to the setjmp of png_jmpbuf. Warnings print nothing. None of the pieces
// here has a destructor, so they may live in the frames the jump crosses.
#include <png.h>

#include <cstddef>

namespace kel::codecs::detail {

// The error pointer given to png_create_*_struct.
struct PngErrorText {
    char message[200] = {};
};

// The handlers to give png_create_read_struct and png_create_write_struct
// along with a PngErrorText.
void pngError(png_structp png, png_const_charp message);
void pngWarning(png_structp png, png_const_charp message);

// The bytes libpng reads (png_set_read_fn with pngReadFromMemory).
struct PngSource {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    bool truncated = false; // set when libpng asked for bytes past the end
};
void pngReadFromMemory(png_structp png, png_bytep out, png_size_t count);

// The bytes libpng writes (png_set_write_fn with pngWriteToMemory and
// pngFlushMemory): a malloc'ed buffer that the caller frees with std::free.
struct PngSink {
    unsigned char* output = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;
};
void pngWriteToMemory(png_structp png, png_bytep data, png_size_t count);
void pngFlushMemory(png_structp png);

} // namespace kel::codecs::detail
