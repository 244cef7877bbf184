#pragma once
// The pictures the soak opens: copies, inside the soak's own folder, of the
// codec fixtures and of every reader's fuzz corpus (named with the reader's
// extension, so real and damaged files of every format), and bitmaps of
// random sizes in every pixel format.
#include "graphics/bitmap.h"
#include "soak/soak_random.h"

#include <QString>
#include <QStringList>

namespace kel::soak {

class PicturePool {
public:
    // Copies at most `perReader` corpus entries of each reader, chosen at random.
    PicturePool(const QString& folder, Random& random, int perReader);

    // A file of the pool; copied again first when a command deleted or renamed it.
    QString anyFile(Random& random);
    int size() const { return int(files_.size()); }
    const QString& folder() const { return folder_; }

private:
    void add(const QString& source, const QString& name);

    struct Entry {
        QString source;
        QString copy;
    };
    QString folder_;
    std::vector<Entry> files_;
};

// Sides from 0 and 1 up to `maxSide` (rarely), in any pixel format, with
// random blocks of colour.
Bitmap randomBitmap(Random& random, int maxSide);
// "<w> x <h> <format>" for the step log.
QString describe(const Bitmap& bitmap);

} // namespace kel::soak
