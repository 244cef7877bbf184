#include "platform/linux_system_facts.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/statvfs.h>

using namespace kel;

TEST(SystemFactsText, MemoryFiguresFromMeminfo)
{
    struct Case {
        const char* what;
        const char* text;
        std::uint64_t total, available;
        int load;
    };
    const Case cases[] = {
        {"current kernels", "MemTotal:        1048576 kB\nMemFree:          100000 kB\nMemAvailable:     262144 kB\n",
         1073741824ull, 268435456ull, 75},
        {"older kernels without MemAvailable", "MemTotal:  2000 kB\nMemFree:  1000 kB\nBuffers: 5 kB\n", 2048000ull,
         1024000ull, 50},
        {"load truncates", "MemTotal: 3 kB\nMemAvailable: 1 kB\n", 3072ull, 1024ull, 66},
        {"available beyond total is capped", "MemTotal: 10 kB\nMemAvailable: 20 kB\n", 10240ull, 10240ull, 0},
        {"nothing readable", "", 0, 0, 0},
        {"keys are whole words", "MemTotalX: 5 kB\nSwapTotal: 9 kB\n", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MemoryStatus status = parseMeminfo(c.text, 1234);
        EXPECT_EQ(status.totalPhysical, c.total);
        EXPECT_EQ(status.availablePhysical, c.available);
        EXPECT_EQ(status.loadPercent, c.load);
        EXPECT_EQ(status.totalVirtual, 1234u);
    }
}

TEST(SystemFactsText, ProcessorDistributionAndKernelNames)
{
    EXPECT_EQ(parseCpuinfoModel("processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i5 CPU @ 2.80GHz\n"
                                "processor\t: 1\nmodel name\t: other\n"),
              QStringLiteral("Intel(R) Core(TM) i5 CPU @ 2.80GHz"));
    EXPECT_EQ(parseCpuinfoModel("processor : 0\nBogoMIPS : 50.00\nHardware : BCM2835\n"), QStringLiteral("BCM2835"));
    EXPECT_EQ(parseCpuinfoModel("processor : 0\n"), QString());

    EXPECT_EQ(parseOsRelease("NAME=\"Ubuntu\"\nVERSION=\"24.04 LTS\"\nPRETTY_NAME=\"Ubuntu 24.04.1 LTS\"\n"),
              QStringLiteral("Ubuntu 24.04.1 LTS"));
    EXPECT_EQ(parseOsRelease("NAME=Fedora\nVERSION=\"40 (Workstation)\"\n"), QStringLiteral("Fedora 40 (Workstation)"));

    struct Kernel {
        const char* release;
        int major, minor;
    };
    for (const Kernel k : {Kernel{"6.8.0-45-generic", 6, 8}, Kernel{"4", 4, 0}, Kernel{"", 0, 0}, Kernel{"x.y", 0, 0}}) {
        int major = -1, minor = -1;
        parseKernelVersion(QString::fromLatin1(k.release), major, minor);
        EXPECT_EQ(major, k.major) << k.release;
        EXPECT_EQ(minor, k.minor) << k.release;
    }
}

TEST(SystemFacts, ThisMachinesFactsAreSane)
{
    LinuxSystemFacts facts;
    EXPECT_FALSE(facts.userName().isEmpty());
    EXPECT_FALSE(facts.computerName().isEmpty());
    const OsFacts os = facts.operatingSystem();
    EXPECT_FALSE(os.name.isEmpty());
    EXPECT_EQ(os.kernel, QStringLiteral("Linux"));
    EXPECT_GE(os.majorVersion, 3);
    EXPECT_TRUE(QDir(facts.systemFolder()).exists());
    EXPECT_TRUE(QDir(facts.libraryFolder()).exists());

    const MemoryStatus memory = facts.memory();
    EXPECT_GT(memory.totalPhysical, 0u);
    EXPECT_GT(memory.availablePhysical, 0u);
    EXPECT_LE(memory.availablePhysical, memory.totalPhysical);
    EXPECT_GE(memory.totalVirtual, memory.totalPhysical / 1024); // an address space, not zero
    EXPECT_GE(memory.loadPercent, 0);
    EXPECT_LE(memory.loadPercent, 100);

    const ScreenFacts screen = facts.screen();
    EXPECT_GT(screen.width, 0);
    EXPECT_GT(screen.height, 0);
    EXPECT_GT(screen.bitsPerPixel, 0);

#if defined(__x86_64__)
    EXPECT_TRUE(facts.hasMmx()); // every x86-64 processor has it
    EXPECT_FALSE(facts.processorName().isEmpty());
    EXPECT_GT(facts.measureProcessorSpeedMHz(20), 1.0);
#endif
}

TEST(SystemFacts, DiskSpaceOfAFolderAndOfNoFolder)
{
    LinuxSystemFacts facts;
    const QString folder = QDir::tempPath();
    const DiskSpace space = facts.diskSpace(folder);
    struct statvfs info {};
    ASSERT_EQ(statvfs(folder.toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(space.known());
    EXPECT_EQ(space.totalBytes, std::int64_t(info.f_blocks) * std::int64_t(info.f_frsize));
    EXPECT_LE(space.freeBytes, space.totalBytes);
    EXPECT_GE(space.freeBytes, 0);

    const DiskSpace missing = facts.diskSpace(QStringLiteral("/no/such/folder/anywhere"));
    EXPECT_FALSE(missing.known());
    EXPECT_EQ(missing.freeBytes, -1);
    EXPECT_EQ(missing.totalBytes, -1);
}
