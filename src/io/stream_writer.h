#pragma once
// Little-endian writing to a device for the file writers; a short write
// raises FileError so that no writer goes on after a failure.
#include "graphics/errors.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>

namespace kel::io {

class StreamWriter {
public:
    explicit StreamWriter(QIODevice& device) : device_(device) {}

    qint64 position() const { return device_.pos(); }

    void bytes(const void* data, qint64 count)
    {
        if (count > 0 && device_.write(static_cast<const char*>(data), count) != count) fail();
    }
    void bytes(const QByteArray& data) { bytes(data.constData(), data.size()); }
    void u8(std::uint8_t v) { bytes(&v, 1); }
    void u16(std::uint16_t v)
    {
        const std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
        bytes(b, 2);
    }
    void u32(std::uint32_t v)
    {
        const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        bytes(b, 4);
    }
    void i16(int v) { u16(std::uint16_t(std::int16_t(v))); }
    void i32(int v) { u32(std::uint32_t(v)); }

    void seek(qint64 position)
    {
        if (!device_.seek(position)) fail();
    }

private:
    [[noreturn]] void fail() const
    {
        throw FileError(QStringLiteral("Écriture impossible : %1").arg(device_.errorString()));
    }

    QIODevice& device_;
};

} // namespace kel::io
