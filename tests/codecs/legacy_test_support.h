#pragma once
// Fixtures of the hand-written readers and the pictures they hold.
#include "graphics/bitmap.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace kel::test {

QString legacyFixturePath(const QString& name);
QByteArray legacyFixture(const QString& name);

// Decodes bytes as a file of the given name would be (its extension picks the reader).
std::unique_ptr<Graphic> decodeAs(const QByteArray& bytes, const QString& name);
// The graphic drawn over white into a 24-bit bitmap.
Bitmap drawn(const Graphic& graphic);

// The 5 x 3 colour picture of most fixtures: no two pixels alike.
Bitmap basePicture();
// Its grey counterpart, and the 11 x 3 black and white picture.
Bitmap greyPicture();
Bitmap monoPicture();

// Alpha of the transparent fixtures, row by row.
extern const int kFixtureAlpha[15];

// A copy of a fixture changed by `edit`.
QByteArray damaged(const QString& name, const std::function<void(QByteArray&)>& edit);

// Big- and little-endian writes into a byte array, for damaging headers.
void putU16le(QByteArray& bytes, int offset, int value);
void putU16be(QByteArray& bytes, int offset, int value);
void putU32be(QByteArray& bytes, int offset, std::uint32_t value);
std::uint32_t getU32be(const QByteArray& bytes, int offset);

} // namespace kel::test
