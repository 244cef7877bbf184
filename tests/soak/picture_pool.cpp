#include "soak/picture_pool.h"

#include "graphics/pixel_rows.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace kel::soak {

namespace {

const QString kSourceRoot = QStringLiteral(KELVARY_SOURCE_ROOT);

// Each fuzz target's reader extension, as the fuzz build declares it.
std::vector<std::pair<QString, QString>> fuzzTargets()
{
    QFile list(kSourceRoot + QStringLiteral("/fuzz/CMakeLists.txt"));
    std::vector<std::pair<QString, QString>> targets;
    if (!list.open(QIODevice::ReadOnly)) return targets;
    const QRegularExpression entry(QStringLiteral("^kelvary_fuzzer\\((\\w+) (\\w+)\\)"),
                                   QRegularExpression::MultilineOption);
    for (auto match = entry.globalMatch(QString::fromUtf8(list.readAll())); match.hasNext();) {
        const auto found = match.next();
        targets.emplace_back(found.captured(1), found.captured(2));
    }
    return targets;
}

} // namespace

PicturePool::PicturePool(const QString& folder, Random& random, int perReader) : folder_(folder)
{
    QDir().mkpath(folder_);
    QDirIterator fixtures(kSourceRoot + QStringLiteral("/tests/data/codecs"), QDir::Files,
                          QDirIterator::Subdirectories);
    QStringList fixtureFiles;
    while (fixtures.hasNext()) fixtureFiles << fixtures.next();
    fixtureFiles.sort();
    for (const QString& file : fixtureFiles) add(file, QFileInfo(file).fileName());

    for (const auto& [target, extension] : fuzzTargets()) {
        QStringList entries = QDir(kSourceRoot + QStringLiteral("/fuzz/corpus/") + target)
                                  .entryList(QDir::Files, QDir::Name);
        for (int taken = 0; taken < perReader && !entries.isEmpty(); ++taken) {
            const QString entry = entries.takeAt(random.below(int(entries.size())));
            add(kSourceRoot + QStringLiteral("/fuzz/corpus/") + target + u'/' + entry,
                target + u'_' + entry.left(8) + u'.' + extension);
        }
    }
}

void PicturePool::add(const QString& source, const QString& name)
{
    const QString copy = folder_ + u'/' + name;
    if (QFile::exists(copy) || !QFile::copy(source, copy)) return;
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    files_.push_back({source, copy});
}

QString PicturePool::anyFile(Random& random)
{
    if (files_.empty()) return folder_ + QStringLiteral("/absent.bmp");
    const Entry& entry = files_[std::size_t(random.below(int(files_.size())))];
    if (!QFile::exists(entry.copy)) {
        QFile::copy(entry.source, entry.copy);
        QFile::setPermissions(entry.copy, QFile::ReadOwner | QFile::WriteOwner);
    }
    return entry.copy;
}

Bitmap randomBitmap(Random& random, int maxSide)
{
    auto side = [&] {
        switch (random.below(10)) {
        case 0: return random.below(2); // 0 or 1
        case 1: return 1;
        case 2: case 3: case 4: case 5: return random.between(2, 64);
        case 6: case 7: case 8: return random.between(2, std::min(640, maxSide));
        default: return random.between(2, maxSide);
        }
    };
    const int width = side();
    const int height = random.chance(10) ? random.below(2) : side();
    Bitmap bitmap(width, height, pf24bit);
    for (int block = random.below(6); block > 0 && width > 0 && height > 0; --block) {
        const Colour colour = rgb(random.below(256), random.below(256), random.below(256));
        const int top = random.below(height);
        const int bottom = random.between(top + 1, height);
        const int left = random.below(width);
        const int right = random.between(left + 1, width);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) writePixel(bitmap, x, y, colour);
    }
    constexpr PixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
    bitmap.setPixelFormat(random.pick(std::span<const PixelFormat>(formats)));
    return bitmap;
}

QString describe(const Bitmap& bitmap)
{
    return QStringLiteral("%1 x %2 %3 bits").arg(bitmap.width()).arg(bitmap.height()).arg(bitsPerPixel(bitmap.pixelFormat()));
}

} // namespace kel::soak
