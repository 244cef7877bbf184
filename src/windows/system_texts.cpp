#include "windows/system_texts.h"

#include <cmath>

namespace kel::system_text {

QString grouped(std::uint64_t value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QChar(kGroupSeparator));
    return digits;
}

QString megabytes(std::uint64_t bytes)
{
    return u' ' + grouped(std::uint64_t(std::nearbyint(double(bytes) / 1048576))) + QStringLiteral(" mégaoctets");
}

QString kilobytesGrouped(std::uint64_t bytes)
{
    return u' ' + grouped(std::uint64_t(std::nearbyint(double(bytes) / 1024))) + QStringLiteral(" kilooctets");
}

QString load(int percent) { return u' ' + QString::number(percent) + QStringLiteral(" %"); }

QString speed(double megahertz)
{
    return u' ' + QString::number(megahertz, 'f', 2).replace(u'.', u',') + QStringLiteral(" MHz");
}

DiskRows diskRows(const DiskSpace& space)
{
    DiskRows rows;
    if (!space.known() || space.totalBytes == 0 || space.freeBytes < 0) {
        rows.free = rows.total = QStringLiteral(" -1 kilooctets");
        return rows;
    }
    rows.free = u' ' + QString::number(space.freeBytes / 1024) + QStringLiteral(" kilooctets");
    rows.total = u' ' + QString::number(space.totalBytes / 1024) + QStringLiteral(" kilooctets");
    const double total = double(space.totalBytes);
    rows.freePercent = int(double(space.freeBytes) / total * 100);
    rows.usedPercent = int(double(space.totalBytes - space.freeBytes) / total * 100);
    return rows;
}

} // namespace kel::system_text
