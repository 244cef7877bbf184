#include "graphics/errors.h"
#include "platform/sane_scanner.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <dlfcn.h>

using namespace kel;

// SANE's configuration reader keeps a few strings of its own until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libsane\n"; }

TEST(SaneScanner, AMissingLibraryIsSaidSoAndNothingElseHappens)
{
    for (const char* name : {"libsane-not-installed.so.1",
                             // A path, even to the real library, is refused: only the loader's search path counts.
                             "/usr/lib/x86_64-linux-gnu/libsane.so.1", "./libsane.so.1"}) {
        SCOPED_TRACE(name);
        SaneScanner scanner{QString::fromLatin1(name)};
        EXPECT_FALSE(scanner.available());
        EXPECT_FALSE(scanner.available()); // asked again: still no
        EXPECT_TRUE(scanner.sources().empty());
        EXPECT_FALSE(scanner.acquire(QStringLiteral("test:0"), {}));
    }
}

// Through the real library with only SANE's test backend configured. One
// scanner for all the tests, as the program keeps one for its whole run.
class SaneTestBackend : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        void* sane = dlopen("libsane.so.1", RTLD_LAZY | RTLD_LOCAL);
        if (!sane) return;
        // Keeps the test backend loaded after SANE lets it go, so that the
        // leak checker can still name what the backend keeps to the end.
        Dl_info info{};
        if (dladdr(dlsym(sane, "sane_init"), &info) && info.dli_fname)
            dlopen((QFileInfo(QString::fromLocal8Bit(info.dli_fname)).path() + QStringLiteral("/sane/libsane-test.so.1"))
                       .toLocal8Bit().constData(), RTLD_LAZY | RTLD_LOCAL);
        config_ = new QTemporaryDir;
        write("dll.conf", "test\n");
        // One grey device scanning 80 x 100 mm at 50 dpi, delivering at most 4096 bytes a read.
        write("test.conf", "number_of_devices 1\nmode Gray\ndepth 8\nhand-scanner false\nthree-pass false\n"
                           "three-pass-order RGB\nresolution_min 1.0\nresolution_max 1200.0\nresolution_quant 1.0\n"
                           "resolution 50.0\ntest-picture \"Color pattern\"\ninvert-endianess false\nread-limit true\n"
                           "read-limit-size 4096\nread-delay false\nread-delay-duration 1000\n"
                           "read-status-code \"Default\"\nfuzzy-parameters false\nppl-loss 0\nnon-blocking false\n"
                           "select-fd false\nenable-test-options false\ngeometry_min 0.0\ngeometry_max 200.0\n"
                           "geometry_quant 1.0\ntl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n");
        oldConfig_ = qgetenv("SANE_CONFIG_DIR");
        qputenv("SANE_CONFIG_DIR", config_->path().toLocal8Bit());
        scanner_ = new SaneScanner;
    }
    static void TearDownTestSuite()
    {
        delete scanner_;
        scanner_ = nullptr;
        delete config_;
        qputenv("SANE_CONFIG_DIR", oldConfig_);
    }
    void SetUp() override
    {
        if (!scanner_ || !scanner_->available() || scanner_->sources().empty())
            GTEST_SKIP() << "SANE or its test backend is not installed";
    }
    static void write(const char* name, const QByteArray& text)
    {
        QFile file(config_->filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly)) file.write(text);
    }

    static inline QTemporaryDir* config_ = nullptr;
    static inline QByteArray oldConfig_;
    static inline SaneScanner* scanner_ = nullptr;
};

TEST_F(SaneTestBackend, ListsTheTestDeviceAndScansOneGreyPicture)
{
    const std::vector<ScanSource> sources = scanner_->sources();
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].name, QStringLiteral("test:0"));

    std::vector<int> told;
    const std::optional<Bitmap> scan = scanner_->acquire(sources[0].name, [&](int percent) {
        told.push_back(percent);
        return true;
    });
    ASSERT_TRUE(scan);
    // 80 x 100 mm at 50 dpi.
    EXPECT_NEAR(scan->width(), 80 / 25.4 * 50, 1.0);
    EXPECT_NEAR(scan->height(), 100 / 25.4 * 50, 1.0);
    EXPECT_EQ(scan->pixelFormat(), pf8bit); // the test device scans grey by default
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), 100);

    // The source stays open: a second scan of the same size.
    const std::optional<Bitmap> again = scanner_->acquire(sources[0].name, {});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->width(), scan->width());
    EXPECT_EQ(again->height(), scan->height());
}

TEST_F(SaneTestBackend, CancellingGivesNothingAndTheNextScanStillWorks)
{
    int calls = 0;
    EXPECT_FALSE(scanner_->acquire(QStringLiteral("test:0"), [&](int) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(scanner_->acquire(QStringLiteral("test:0"), {}));
}

TEST_F(SaneTestBackend, AnUnknownSourceIsAnError)
{
    EXPECT_THROW(scanner_->acquire(QStringLiteral("test:7"), {}), Error);
}
