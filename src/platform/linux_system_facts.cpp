#include "platform/linux_system_facts.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

#include <algorithm>
#include <chrono>
#include <thread>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define KELVARY_X86 1
#endif

namespace kel {

namespace {

QByteArray readSystemFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    // /proc files report no size: read until the end.
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// "Key<sep>value" lines: the value of the first line whose trimmed key is `key`.
QByteArray valueOf(const QByteArray& text, const QByteArray& key, char separator)
{
    for (const QByteArray& line : text.split('\n')) {
        const int at = line.indexOf(separator);
        if (at < 0) continue;
        if (line.left(at).trimmed() == key) return line.mid(at + 1).trimmed();
    }
    return {};
}

std::uint64_t kilobytesField(const QByteArray& text, const char* key, bool* found)
{
    const QByteArray value = valueOf(text, key, ':');
    bool ok = false;
    const std::uint64_t kilobytes = value.split(' ').value(0).toULongLong(&ok);
    if (found) *found = ok;
    return ok ? kilobytes * 1024 : 0;
}

QString unquoted(QByteArray value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return QString::fromUtf8(value);
}

} // namespace

MemoryStatus parseMeminfo(const QByteArray& text, std::uint64_t addressSpace)
{
    MemoryStatus status;
    status.totalVirtual = addressSpace;
    status.totalPhysical = kilobytesField(text, "MemTotal", nullptr);
    bool hasAvailable = false;
    status.availablePhysical = kilobytesField(text, "MemAvailable", &hasAvailable);
    if (!hasAvailable) status.availablePhysical = kilobytesField(text, "MemFree", nullptr);
    status.availablePhysical = std::min(status.availablePhysical, status.totalPhysical);
    if (status.totalPhysical > 0)
        status.loadPercent = int((status.totalPhysical - status.availablePhysical) * 100 / status.totalPhysical);
    return status;
}

QString parseCpuinfoModel(const QByteArray& text)
{
    for (const char* key : {"model name", "Hardware", "cpu model", "Processor", "cpu"}) {
        const QByteArray value = valueOf(text, key, ':');
        if (!value.isEmpty()) return QString::fromUtf8(value);
    }
    return {};
}

QString parseOsRelease(const QByteArray& text)
{
    const QString pretty = unquoted(valueOf(text, "PRETTY_NAME", '='));
    if (!pretty.isEmpty()) return pretty;
    const QString name = unquoted(valueOf(text, "NAME", '='));
    const QString version = unquoted(valueOf(text, "VERSION", '='));
    return version.isEmpty() ? name : name + u' ' + version;
}

void parseKernelVersion(const QString& release, int& major, int& minor)
{
    major = minor = 0;
    qsizetype i = 0;
    const auto number = [&]() {
        int value = 0;
        while (i < release.size() && release[i].isDigit() && value < 100000) value = value * 10 + release[i++].digitValue();
        return value;
    };
    major = number();
    if (i < release.size() && release[i] == u'.') {
        ++i;
        minor = number();
    }
}

QString LinuxSystemFacts::userName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name) return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString LinuxSystemFacts::computerName() { return QSysInfo::machineHostName(); }

OsFacts LinuxSystemFacts::operatingSystem()
{
    OsFacts facts;
    QByteArray release = readSystemFile("/etc/os-release");
    if (release.isEmpty()) release = readSystemFile("/usr/lib/os-release");
    facts.name = parseOsRelease(release);
    if (facts.name.isEmpty()) facts.name = QSysInfo::prettyProductName();
    facts.kernel = QSysInfo::kernelType();
    if (!facts.kernel.isEmpty()) facts.kernel[0] = facts.kernel[0].toUpper();
    parseKernelVersion(QSysInfo::kernelVersion(), facts.majorVersion, facts.minorVersion);
    return facts;
}

QString LinuxSystemFacts::systemFolder() { return QStringLiteral("/etc"); }

QString LinuxSystemFacts::libraryFolder() { return QStringLiteral("/usr/lib"); }

ScreenFacts LinuxSystemFacts::screen()
{
    ScreenFacts facts;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return facts;
    facts.width = screen->geometry().width();
    facts.height = screen->geometry().height();
    facts.bitsPerPixel = screen->depth();
    return facts;
}

DiskSpace LinuxSystemFacts::diskSpace(const QString& folder)
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(folder).constData(), &info) != 0) return {};
    DiskSpace space;
    space.freeBytes = std::int64_t(info.f_bavail) * std::int64_t(info.f_frsize);
    space.totalBytes = std::int64_t(info.f_blocks) * std::int64_t(info.f_frsize);
    return space;
}

MemoryStatus LinuxSystemFacts::memory()
{
    // The address space a process may use: its limit when one is set,
    // otherwise the user half of the addresses (47 bits on 64-bit machines).
    std::uint64_t addressSpace = sizeof(void*) == 8 ? std::uint64_t(1) << 47 : std::uint64_t(3) << 30;
    rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        addressSpace = std::min<std::uint64_t>(addressSpace, limit.rlim_cur);
    return parseMeminfo(readSystemFile("/proc/meminfo"), addressSpace);
}

QString LinuxSystemFacts::processorName() { return parseCpuinfoModel(readSystemFile("/proc/cpuinfo")); }

bool LinuxSystemFacts::hasMmx()
{
#ifdef KELVARY_X86
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    return (d >> 23) & 1;
#else
    return false;
#endif
}

double LinuxSystemFacts::measureProcessorSpeedMHz(int milliseconds)
{
#ifdef KELVARY_X86
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::uint64_t t1 = __rdtsc();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 1)));
    const std::uint64_t t2 = __rdtsc();
    const auto micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    // The whole 64-bit difference, over the time really slept.
    return micros > 0 ? double(t2 - t1) / micros : 0.0;
#else
    (void)milliseconds;
    return 0.0;
#endif
}

} // namespace kel
