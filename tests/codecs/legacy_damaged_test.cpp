// Damaged files of every hand-written reader raise InvalidGraphic with a
// French text naming the format: bad signatures, truncation, impossible
// sizes, palette indexes out of range and runs that overrun.
#include "codecs/codec.h"
#include "codecs/legacy_test_support.h"
#include "graphics/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kel::test {
namespace {

struct DamagedCase {
    const char* what;
    const char* fixture;
    std::function<void(QByteArray&)> edit;
};

void expectRejected(const std::vector<DamagedCase>& cases, const char* formatName)
{
    for (const DamagedCase& c : cases) {
        const QByteArray bytes = damaged(c.fixture, c.edit);
        try {
            decodeAs(bytes, c.fixture);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const InvalidGraphic& e) {
            const QString text = e.text();
            EXPECT_TRUE(text.startsWith(QStringLiteral("Fichier %1 incorrect : ").arg(formatName)))
                << c.what << ": " << text.toStdString();
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
}

auto truncateTo(int size) { return [size](QByteArray& b) { b.truncate(size); }; }
auto setByte(int offset, int value) { return [=](QByteArray& b) { b[offset] = char(value); }; }

TEST(LegacyDamaged, Targa)
{
    expectRejected(
        {
            {"header cut", "tga_true_top.tga", truncateTo(10)},
            {"pixels cut", "tga_true_top.tga", truncateTo(40)},
            {"unknown type", "tga_true_top.tga", setByte(2, 5)},
            {"unknown depth", "tga_true_top.tga", setByte(16, 12)},
            {"zero width", "tga_true_top.tga", [](QByteArray& b) { putU16le(b, 12, 0); }},
            {"huge", "tga_true_top.tga", [](QByteArray& b) { putU16le(b, 12, 65535); putU16le(b, 14, 65535); }},
            {"huge rle", "tga_true_bottom_rle.tga", [](QByteArray& b) { putU16le(b, 12, 65535); putU16le(b, 14, 65535); }},
            {"palette index", "tga_mapped.tga",
             [](QByteArray& b) { b[18 + std::uint8_t(b[0]) + 3 * std::uint8_t(b[5])] = char(250); }},
            {"run overruns", "tga_true_bottom_rle.tga", setByte(18, 0xFF)},
            {"mapped without palette", "tga_mapped.tga", setByte(1, 0)},
        },
        "Targa");
}

TEST(LegacyDamaged, Pcx)
{
    expectRejected(
        {
            {"signature", "pcx_24.pcx", setByte(0, 0x0B)},
            {"header cut", "pcx_24.pcx", truncateTo(100)},
            {"pixels cut", "pcx_24.pcx", truncateTo(140)},
            {"huge", "pcx_24.pcx", [](QByteArray& b) { putU16le(b, 8, 29999); putU16le(b, 10, 29999); }},
            {"inverted window", "pcx_24.pcx", [](QByteArray& b) { putU16le(b, 4, 10); }},
            {"short lines", "pcx_24.pcx", [](QByteArray& b) { putU16le(b, 66, 2); }},
            {"planes", "pcx_24.pcx", setByte(65, 7)},
            {"run overruns", "pcx_1bit.pcx", [](QByteArray& b) { b.truncate(128); b.append("\xC7\x00", 2); }},
        },
        "PCX");
}

TEST(LegacyDamaged, Photoshop)
{
    expectRejected(
        {
            {"signature", "psd_rgb_raw.psd", setByte(0, 'X')},
            {"version", "psd_rgb_raw.psd", [](QByteArray& b) { putU16be(b, 4, 2); }},
            {"pixels cut", "psd_rgb_raw.psd", [](QByteArray& b) { b.chop(20); }},
            {"rows cut", "psd_rgb_rle.psd", [](QByteArray& b) { b.chop(10); }},
            {"huge", "psd_rgb_raw.psd", [](QByteArray& b) { putU32be(b, 14, 40000); }},
            {"huge within limits", "psd_rgb_raw.psd", [](QByteArray& b) { putU32be(b, 14, 20000); putU32be(b, 18, 20000); }},
            {"lab mode", "psd_rgb_raw.psd", [](QByteArray& b) { putU16be(b, 24, 9); }},
            {"32-bit", "psd_rgb_raw.psd", [](QByteArray& b) { putU16be(b, 22, 32); }},
            {"missing channels", "psd_rgb_raw.psd", [](QByteArray& b) { putU16be(b, 12, 2); }},
            {"run overruns", "psd_rgb_rle.psd",
             [](QByteArray& b) {
                 // The first row's data follows the table of 3 x 3 row lengths.
                 int offset = 26;
                 for (int section = 0; section < 3; ++section) offset += 4 + int(getU32be(b, offset));
                 b[offset + 2 + 9 * 2] = char(0x7F);
             }},
        },
        "Photoshop");
}

TEST(LegacyDamaged, Sgi)
{
    const auto firstRowStart = [](const QByteArray& b) { return int(getU32be(b, 512)); };
    expectRejected(
        {
            {"signature", "sgi_rgb_rle.sgi", setByte(1, 0)},
            {"header cut", "sgi_rgb_rle.sgi", truncateTo(300)},
            {"verbatim cut", "sgi_rgb_raw.rgb", [](QByteArray& b) { b.chop(1); }},
            {"rows cut", "sgi_rgb_rle.sgi", [](QByteArray& b) { b.chop(4); }},
            {"huge", "sgi_rgb_rle.sgi", [](QByteArray& b) { putU16be(b, 6, 65535); putU16be(b, 8, 65535); }},
            {"storage", "sgi_rgb_rle.sgi", setByte(2, 2)},
            {"sample size", "sgi_rgb_rle.sgi", setByte(3, 3)},
            {"run overruns", "sgi_rgb_rle.sgi", [&](QByteArray& b) { b[firstRowStart(b)] = char(0x7F); }},
            {"row outside the file", "sgi_rgb_rle.sgi", [](QByteArray& b) { putU32be(b, 512, 0x7FFFFFF0); }},
        },
        "SGI");
}

TEST(LegacyDamaged, Wavefront)
{
    const auto firstLine = [](const QByteArray& b) { return int(getU32be(b, 740)); };
    expectRejected(
        {
            {"header cut", "rla_rgb.rla", truncateTo(700)},
            {"lines cut", "rla_rgb.rla", [](QByteArray& b) { b.chop(20); }},
            {"huge", "rla_rgb.rla", [](QByteArray& b) { putU16be(b, 10, 32767); putU16be(b, 14, 32767); }},
            {"inverted window", "rla_rgb.rla", [](QByteArray& b) { putU16be(b, 8, 100); }},
            {"two channels", "rla_rgb.rla", [](QByteArray& b) { putU16be(b, 20, 2); }},
            {"16-bit channels", "rla_rgb.rla", [](QByteArray& b) { putU16be(b, 658, 16); }},
            {"line outside the file", "rla_rgb.rla", [](QByteArray& b) { putU32be(b, 740, 0x7FFFFFF0); }},
            {"run overruns", "rla_rgb.rla", [&](QByteArray& b) { b[firstLine(b) + 2] = char(0x7F); }},
        },
        "RLA");
}

TEST(LegacyDamaged, PortableMaps)
{
    expectRejected(
        {
            {"signature", "pnm_p6.ppm", setByte(1, '9')},
            {"pixels cut", "pnm_p6.ppm", [](QByteArray& b) { b.chop(1); }},
            {"plain pixels cut", "pnm_p3.ppm", [](QByteArray& b) { b.truncate(b.size() - 8); }},
            {"huge", "pnm_p6.ppm", [](QByteArray& b) { b.replace("5 3", "30001 3"); }},
            {"huge within limits", "pnm_p6.ppm", [](QByteArray& b) { b.replace("5 3", "29999 29999"); }},
            {"zero maximum", "pnm_p5.pgm", [](QByteArray& b) { b.replace("255", "000"); }},
            {"maximum too large", "pnm_p5.pgm", [](QByteArray& b) { b.replace("\n255\n", "\n65536\n"); }},
            {"value above maximum", "pnm_p2.pgm", [](QByteArray& b) { b.replace("255", "100"); }},
            {"bad plain bit", "pnm_p1.pbm", [](QByteArray& b) { b[b.lastIndexOf('0')] = '2'; }},
            {"missing width", "pnm_p6.ppm", [](QByteArray& b) { b.replace("5 3", "x 3"); }},
        },
        "PNM");
}

TEST(LegacyDamaged, Animator)
{
    expectRejected(
        {
            {"signature", "animator.cel", setByte(0, 0x18)},
            {"palette cut", "animator.cel", truncateTo(400)},
            {"pixels cut", "animator.cel", [](QByteArray& b) { b.chop(1); }},
            {"huge", "animator.cel", [](QByteArray& b) { putU16le(b, 2, 65535); putU16le(b, 4, 65535); }},
            {"depth", "animator.cel", setByte(10, 4)},
            {"compressed", "animator.cel", setByte(11, 1)},
        },
        "Animator");
}

TEST(LegacyDamaged, DrHalo)
{
    expectRejected(
        {
            {"header cut", "drhalo.cut", truncateTo(3)},
            {"lines cut", "drhalo.cut", [](QByteArray& b) { b.chop(3); }},
            {"huge", "drhalo.cut", [](QByteArray& b) { putU16le(b, 0, 65535); putU16le(b, 2, 65535); }},
            {"zero height", "drhalo.cut", [](QByteArray& b) { putU16le(b, 2, 0); }},
            {"run overruns", "drhalo.cut", setByte(8, 0x86)},
            {"short line", "drhalo.cut", [](QByteArray& b) { putU16le(b, 0, 6); }},
        },
        "Dr. Halo");
}

TEST(LegacyDamaged, DrHaloPaletteIndexAndPaletteFile)
{
    QTemporaryDir folder;
    QByteArray picture = legacyFixture("drhalo.cut");
    picture[9] = char(250); // beyond the palette's 88 entries
    const QString cut = folder.filePath("picture.cut");
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(picture);
    out.close();
    ASSERT_TRUE(QFile::copy(legacyFixturePath("drhalo.pal"), folder.filePath("picture.pal")));
    EXPECT_THROW(codecs::loadGraphic(cut), InvalidGraphic);

    QFile palette(folder.filePath("picture.pal"));
    ASSERT_TRUE(palette.open(QIODevice::ReadWrite));
    palette.write("XX");
    palette.close();
    ASSERT_TRUE(QFile::copy(legacyFixturePath("drhalo.cut"), folder.filePath("other.cut")));
    ASSERT_TRUE(QFile::copy(folder.filePath("picture.pal"), folder.filePath("other.pal")));
    EXPECT_THROW(codecs::loadGraphic(folder.filePath("other.cut")), InvalidGraphic);
}

TEST(LegacyDamaged, EmptyFilesAreRejectedByEveryReader)
{
    for (const char* name : {"x.tga", "x.pcx", "x.pcd", "x.psd", "x.sgi", "x.rla", "x.ppm", "x.cel", "x.cut"})
        EXPECT_THROW(decodeAs(QByteArray(), name), InvalidGraphic) << name;
}

} // namespace
} // namespace kel::test
