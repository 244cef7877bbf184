#include "codecs/png_common.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kel::codecs::detail {

void pngError(png_structp png, png_const_charp message)
{
    auto* text = static_cast<PngErrorText*>(png_get_error_ptr(png));
    std::snprintf(text->message, sizeof text->message, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void pngReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->position) {
        source->truncated = true;
        png_error(png, "truncated");
    }
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

void pngWriteToMemory(png_structp png, png_bytep data, png_size_t count)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (count > sink->capacity - sink->size) {
        std::size_t capacity = sink->capacity ? sink->capacity : 65536;
        while (count > capacity - sink->size) capacity *= 2;
        auto* grown = static_cast<unsigned char*>(std::realloc(sink->output, capacity));
        if (!grown) png_error(png, "out of memory");
        sink->output = grown;
        sink->capacity = capacity;
    }
    std::memcpy(sink->output + sink->size, data, count);
    sink->size += count;
}

void pngFlushMemory(png_structp) {}

} // namespace kel::codecs::detail
