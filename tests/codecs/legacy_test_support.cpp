#include "codecs/legacy_test_support.h"

#include "codecs/codec.h"
#include "codecs/over_white.h"
#include "support/bitmap_compare.h"

#include <QFile>
#include <QFileInfo>

namespace kel::test {

QString legacyFixturePath(const QString& name)
{
    return QStringLiteral(KELVARY_TEST_DATA "/codecs/legacy/") + name;
}

QByteArray legacyFixture(const QString& name)
{
    QFile file(legacyFixturePath(name));
    if (!file.open(QIODevice::ReadOnly)) ADD_FAILURE() << "missing fixture " << name.toStdString();
    return file.readAll();
}

std::unique_ptr<Graphic> decodeAs(const QByteArray& bytes, const QString& name)
{
    return codecs::decodeGraphic(bytes, QFileInfo(name).suffix());
}

Bitmap drawn(const Graphic& graphic) { return codecs::drawnOverWhite(graphic); }

Bitmap basePicture()
{
    return bitmapFrom(5, 3,
                      {rgb(255, 0, 0), rgb(0, 128, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(128, 0, 128),
                       rgb(0, 255, 255), rgb(255, 128, 0), rgb(64, 64, 64), rgb(200, 150, 100), rgb(10, 20, 30),
                       rgb(255, 255, 255), rgb(0, 0, 0), rgb(100, 200, 50), rgb(30, 60, 220), rgb(240, 16, 128)});
}

Bitmap greyPicture()
{
    const int levels[15] = {5, 11, 23, 37, 49, 61, 77, 89, 101, 131, 149, 163, 181, 199, 229};
    Bitmap bitmap(5, 3);
    for (int i = 0; i < 15; ++i) bitmap.setPixel(i % 5, i / 5, rgb(levels[i], levels[i], levels[i]));
    return bitmap;
}

Bitmap monoPicture()
{
    const int black[3][11] = {{1, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1},
                              {0, 1, 1, 0, 0, 0, 1, 1, 1, 0, 1},
                              {1, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0}};
    Bitmap bitmap(11, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) bitmap.setPixel(x, y, black[y][x] ? clBlack : clWhite);
    return bitmap;
}

const int kFixtureAlpha[15] = {255, 0, 128, 255, 64, 255, 255, 10, 255, 200, 255, 255, 255, 1, 255};

QByteArray damaged(const QString& name, const std::function<void(QByteArray&)>& edit)
{
    QByteArray bytes = legacyFixture(name);
    edit(bytes);
    return bytes;
}

void putU16le(QByteArray& bytes, int offset, int value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

void putU16be(QByteArray& bytes, int offset, int value)
{
    bytes[offset] = char((value >> 8) & 0xFF);
    bytes[offset + 1] = char(value & 0xFF);
}

void putU32be(QByteArray& bytes, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + i] = char((value >> (24 - 8 * i)) & 0xFF);
}

std::uint32_t getU32be(const QByteArray& bytes, int offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | std::uint8_t(bytes[offset + i]);
    return value;
}

} // namespace kel::test
