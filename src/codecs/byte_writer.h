#pragma once
// Little-endian writing of file bytes for the hand-written writers (BMP,
// Targa, and in io the TIFF, icon and metafile writers), the counterpart of
// ByteReader. The bytes grow in memory; writeToDevice (atomic_file.h) or
// writeFileAtomically put them where they go.
#include "graphics/colour.h"

#include <QByteArray>

#include <cstdint>

namespace kel::codecs {

class ByteWriter {
public:
    explicit ByteWriter(qsizetype reserve = 0) { bytes_.reserve(reserve); }

    qsizetype position() const { return bytes_.size(); }
    const QByteArray& bytes() const { return bytes_; }
    QByteArray take() { return std::move(bytes_); }

    void bytes(const void* data, qsizetype count)
    {
        if (count > 0) bytes_.append(static_cast<const char*>(data), count);
    }
    void bytes(const QByteArray& data) { bytes_.append(data); }
    void u8(std::uint8_t v) { bytes_.append(char(v)); }
    void u16(std::uint16_t v)
    {
        u8(std::uint8_t(v));
        u8(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(std::uint16_t(v));
        u16(std::uint16_t(v >> 16));
    }
    void i16(int v) { u16(std::uint16_t(std::int16_t(v))); }
    void i32(int v) { u32(std::uint32_t(v)); }
    // A colour as blue, green, red bytes (colour tables, Targa pixels).
    void bgr(Colour c)
    {
        u8(std::uint8_t(blueOf(c)));
        u8(std::uint8_t(greenOf(c)));
        u8(std::uint8_t(redOf(c)));
    }

    // Overwrites 4 bytes already written at `offset` (a pointer known only later).
    void patchU32(qsizetype offset, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = char(std::uint8_t(v >> (8 * i)));
    }

private:
    QByteArray bytes_;
};

} // namespace kel::codecs
