#include "codecs/library_test_support.h"

#include "codecs/over_white.h"
#include "support/bitmap_compare.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kel::test::library {

QString fixturePath(const QString& name)
{
    return QStringLiteral(KELVARY_TEST_DATA "/codecs/library/") + name;
}

QByteArray fixtureBytes(const QString& name)
{
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name.toStdString();
        return {};
    }
    return file.readAll();
}

Bitmap colours24()
{
    return bitmapFrom(6, 4,
                      {rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(0, 0, 255),     rgb(255, 255, 0),
                       rgb(0, 255, 255),   rgb(255, 0, 255),   rgb(128, 0, 0),     rgb(0, 128, 0),
                       rgb(0, 0, 128),     rgb(128, 128, 0),   rgb(0, 128, 128),   rgb(128, 0, 128),
                       rgb(255, 128, 64),  rgb(64, 128, 255),  rgb(10, 20, 30),    rgb(200, 100, 50),
                       rgb(90, 180, 45),   rgb(33, 66, 99),    rgb(0, 0, 0),       rgb(255, 255, 255),
                       rgb(128, 128, 128), rgb(192, 192, 192), rgb(250, 200, 150), rgb(17, 170, 85)});
}

Bitmap colours16()
{
    const Colour vga[16] = {rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
                            rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
                            rgb(128, 128, 128), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
                            rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255)};
    const int order[20] = {9, 10, 12, 0, 15, 1, 2, 3, 4, 5, 6, 7, 8, 11, 13, 14, 9, 10, 12, 0};
    Bitmap b(5, 4, pf24bit);
    for (int i = 0; i < 20; ++i) b.setPixel(i % 5, i / 5, vga[order[i]]);
    return b;
}

Bitmap blackAndWhite()
{
    const Colour k = clBlack, w = clWhite;
    return bitmapFrom(5, 3, {k, w, w, k, k, w, k, w, w, w, k, k, w, k, w});
}

Bitmap greys()
{
    const int levels[24] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110,
                            120, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 255};
    Bitmap b(6, 4, pf24bit);
    for (int i = 0; i < 24; ++i) b.setPixel(i % 6, i / 6, rgb(levels[i], levels[i], levels[i]));
    return b;
}

Bitmap tallGradient()
{
    Bitmap b(4, 16, pf24bit);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 4; ++x) b.setPixel(x, y, rgb(y * 16, x * 60, 0));
    return b;
}

Bitmap quadrants()
{
    Bitmap b(32, 32, pf24bit);
    const Colour q[4] = {clRed, clLime, clBlue, clWhite};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) b.setPixel(x, y, q[(y / 16) * 2 + x / 16]);
    return b;
}

Bitmap greyQuadrants()
{
    Bitmap b(32, 32, pf24bit);
    const int q[4] = {30, 90, 160, 230};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int v = q[(y / 16) * 2 + x / 16];
            b.setPixel(x, y, rgb(v, v, v));
        }
    return b;
}

std::vector<Rgba> partialAlpha()
{
    return {{255, 0, 0, 255},   {0, 255, 0, 0},       {0, 0, 255, 128},  {255, 255, 0, 255},
            {0, 0, 0, 255},     {255, 255, 255, 0},   {255, 0, 255, 255}, {0, 255, 255, 64},
            {128, 64, 32, 255}, {10, 200, 100, 255},  {200, 0, 0, 0},    {0, 0, 200, 255}};
}

std::vector<Rgba> binaryAlpha()
{
    return {{255, 0, 0, 255},   {0, 255, 0, 0},       {0, 0, 255, 255},  {255, 255, 0, 255},
            {0, 0, 0, 255},     {255, 255, 255, 255}, {255, 0, 255, 0},  {0, 255, 255, 255},
            {128, 64, 32, 255}, {10, 200, 100, 0},    {200, 0, 0, 255},  {0, 0, 200, 255}};
}

Bitmap overBackground(const std::vector<Rgba>& pixels, int width, int height, Colour background)
{
    Bitmap b(width, height, pf24bit);
    auto mix = [](int s, int d, int a) { return (s * a + d * (255 - a) + 127) / 255; };
    for (int i = 0; i < width * height; ++i) {
        const Rgba& p = pixels[std::size_t(i)];
        b.setPixel(i % width, i / width,
                   rgb(mix(p.r, redOf(background), p.a), mix(p.g, greenOf(background), p.a),
                       mix(p.b, blueOf(background), p.a)));
    }
    return b;
}

Bitmap decodeAndDraw(const QByteArray& bytes, const QString& extension, Colour background)
{
    const std::unique_ptr<Graphic> graphic = codecs::decodeGraphic(bytes, extension);
    return codecs::drawnOver(*graphic, graphic->width(), graphic->height(), background);
}

} // namespace kel::test::library
