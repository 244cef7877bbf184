#pragma once
// Bounds-checked reading of file bytes for the hand-written readers: every
// read past the end raises InvalidGraphic instead of touching foreign memory.
// ByteWriter (byte_writer.h) is its counterpart for the writers.
#include "graphics/errors.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kel::codecs {

// "Fichier <format> incorrect : <what>", in the invalid-graphic category: how
// every reader rejects data.
[[noreturn]] void rejectGraphic(const QString& format, const QString& what);

// The value of `bits` bits (1, 2, 4 or 8) at index `x` of a row packed most
// significant bits first, as bitmaps, DIBs, PCX, Photoshop and Netpbm files
// store their indexes and bits.
inline int packedValue(const std::uint8_t* row, std::size_t x, int bits)
{
    const std::size_t bit = x * std::size_t(bits);
    return (row[bit / 8] >> (8 - bits - int(bit % 8))) & ((1 << bits) - 1);
}

class ByteReader {
public:
    ByteReader(const QByteArray& bytes, QString formatName)
        : data_(reinterpret_cast<const std::uint8_t*>(bytes.constData())), size_(std::size_t(bytes.size())),
          format_(std::move(formatName))
    {
    }

    const QString& format() const { return format_; }
    std::size_t size() const { return size_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ >= size_; }

    void seek(std::size_t position)
    {
        if (position > size_) fail(QStringLiteral("position hors du fichier"));
        pos_ = position;
    }
    void skip(std::size_t count) { seek(checkedEnd(count)); }

    std::uint8_t u8()
    {
        need(1);
        return data_[pos_++];
    }
    std::uint16_t u16le() { need(2); const auto v = std::uint16_t(data_[pos_] | (data_[pos_ + 1] << 8)); pos_ += 2; return v; }
    std::uint16_t u16be() { need(2); const auto v = std::uint16_t((data_[pos_] << 8) | data_[pos_ + 1]); pos_ += 2; return v; }
    std::uint32_t u32le()
    {
        need(4);
        const std::uint32_t v = std::uint32_t(data_[pos_]) | (std::uint32_t(data_[pos_ + 1]) << 8)
                                | (std::uint32_t(data_[pos_ + 2]) << 16) | (std::uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::uint32_t u32be()
    {
        need(4);
        const std::uint32_t v = (std::uint32_t(data_[pos_]) << 24) | (std::uint32_t(data_[pos_ + 1]) << 16)
                                | (std::uint32_t(data_[pos_ + 2]) << 8) | std::uint32_t(data_[pos_ + 3]);
        pos_ += 4;
        return v;
    }
    std::int32_t i32le() { return std::int32_t(u32le()); }

    // A pointer to the next `count` bytes, which are consumed.
    const std::uint8_t* bytes(std::size_t count)
    {
        need(count);
        const std::uint8_t* p = data_ + pos_;
        pos_ += count;
        return p;
    }
    // Bytes at an absolute offset, without moving.
    const std::uint8_t* at(std::size_t offset, std::size_t count) const
    {
        if (offset > size_ || count > size_ - offset) fail(QStringLiteral("données tronquées"));
        return data_ + offset;
    }

    [[noreturn]] void fail(const QString& what) const { rejectGraphic(format_, what); }

private:
    void need(std::size_t count) const
    {
        if (count > size_ - pos_) fail(QStringLiteral("données tronquées"));
    }
    std::size_t checkedEnd(std::size_t count) const
    {
        need(count);
        return pos_ + count;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    QString format_;
};

} // namespace kel::codecs
