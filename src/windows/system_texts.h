#pragma once
// The texts of the system window's value fields, in French: a comma before
// decimals and a no-break space between groups of thousands.
#include "platform/system_facts.h"

#include <QString>

namespace kel::system_text {

// The separator between groups of three digits.
inline constexpr char16_t kGroupSeparator = u'\u00A0';

// A whole number with its thousands grouped: 1024 -> "1 024".
QString grouped(std::uint64_t value);
// " 1 024 mégaoctets": bytes in megabytes, rounded, grouped.
QString megabytes(std::uint64_t bytes);
// " 524 288 kilooctets": bytes in kilobytes, rounded, grouped.
QString kilobytesGrouped(std::uint64_t bytes);
// " 43 %".
QString load(int percent);
// " 2992,56 MHz".
QString speed(double megahertz);

// The disk rows and the two gauges. A file system that could not be asked,
// or that reports no size, shows -1 kilooctets, everything free and nothing used.
struct DiskRows {
    QString free;
    QString total;
    int freePercent = 100;
    int usedPercent = 0;
};
DiskRows diskRows(const DiskSpace& space);

} // namespace kel::system_text
