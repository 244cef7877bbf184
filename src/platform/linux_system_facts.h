#pragma once
// The system facts on Linux: Qt for names and the screen, statvfs for disks,
// /proc for memory and processor, /etc/os-release for the distribution.
#include "platform/system_facts.h"

#include <QByteArray>

namespace kel {

class LinuxSystemFacts final : public SystemFacts {
public:
    QString userName() override;
    QString computerName() override;
    OsFacts operatingSystem() override;
    QString systemFolder() override;
    QString libraryFolder() override;
    ScreenFacts screen() override;
    DiskSpace diskSpace(const QString& folder) override;
    MemoryStatus memory() override;
    QString processorName() override;
    bool hasMmx() override;
    double measureProcessorSpeedMHz(int milliseconds) override;
};

// Readers of the system's text files, apart so that they can be fed any text.
// /proc/meminfo: MemTotal and MemAvailable (MemFree when older kernels lack
// it); the load is the used share, truncated.
MemoryStatus parseMeminfo(const QByteArray& text, std::uint64_t addressSpace);
// /proc/cpuinfo: the first "model name" (or "Hardware", "cpu model", "Processor" elsewhere).
QString parseCpuinfoModel(const QByteArray& text);
// /etc/os-release: PRETTY_NAME, else NAME and VERSION, unquoted.
QString parseOsRelease(const QByteArray& text);
// "6.8.0-45-generic" -> 6 and 8.
void parseKernelVersion(const QString& release, int& major, int& minor);

} // namespace kel
