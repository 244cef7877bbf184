#pragma once
// Facts about the machine and the session, as the system window shows them.
#include <QString>

#include <cstdint>

namespace kel {

struct OsFacts {
    QString name;     // "Ubuntu 24.04.1 LTS"
    QString kernel;   // "Linux"
    int majorVersion = 0; // of the kernel
    int minorVersion = 0;
};

struct ScreenFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

// Byte counts; -1 for both when the folder's file system could not be asked.
struct DiskSpace {
    std::int64_t freeBytes = -1;  // available to the user
    std::int64_t totalBytes = -1;
    bool known() const { return totalBytes >= 0; }
};

struct MemoryStatus {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalVirtual = 0; // the process's address space
    int loadPercent = 0;            // share of physical memory in use
};

class SystemFacts {
public:
    virtual ~SystemFacts() = default;

    virtual QString userName() = 0;
    virtual QString computerName() = 0;
    virtual OsFacts operatingSystem() = 0;
    // The folders standing for the system's own: where the system keeps its
    // settings (/etc) and its libraries.
    virtual QString systemFolder() = 0;
    virtual QString libraryFolder() = 0;
    virtual ScreenFacts screen() = 0;
    virtual DiskSpace diskSpace(const QString& folder) = 0;
    virtual MemoryStatus memory() = 0;
    // The processor's model name; empty when unknown.
    virtual QString processorName() = 0;
    virtual bool hasMmx() = 0;
    // Time-stamp counter ticks per microsecond over about `milliseconds`; 0 when there is no counter.
    virtual double measureProcessorSpeedMHz(int milliseconds) = 0;
};

} // namespace kel
