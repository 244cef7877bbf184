#include "graphics/system_error_text.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace kel;

namespace {

const std::pair<int, const char*> kCommonErrors[] = {
    {ENOENT, "fichier ou dossier introuvable"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "c'est un dossier et non un fichier"},
    {EACCES, "permission refusée"},
    {EPERM, "opération non permise"},
    {ENOSPC, "plus de place sur le disque"},
    {EROFS, "système de fichiers en lecture seule"},
    {EFBIG, "fichier trop volumineux"},
};

// A device whose error text is set as Qt sets it after a failing call.
class FailedDevice : public QFile {
public:
    explicit FailedDevice(const QString& text) { setErrorString(text); }
};

} // namespace

TEST(SystemErrorText, CommonErrorsAreInFrenchFromTheNumberAndFromQtsText)
{
    for (const auto& [number, french] : kCommonErrors) {
        EXPECT_EQ(systemErrorText(number), QString::fromUtf8(french)) << number;
        EXPECT_EQ(deviceErrorText(FailedDevice(qt_error_string(number)), 0), QString::fromUtf8(french)) << number;
        // Without a text of Qt's, the errno of the call gives the reason.
        EXPECT_EQ(deviceErrorText(FailedDevice(QString()), number), QString::fromUtf8(french)) << number;
    }
    // Others keep the system's text.
    EXPECT_EQ(systemErrorText(EXDEV), qt_error_string(EXDEV));
    EXPECT_EQ(deviceErrorText(FailedDevice(QStringLiteral("Destination file exists")), ENOENT),
              QStringLiteral("Destination file exists"));
    EXPECT_EQ(deviceErrorText(FailedDevice(QString()), 0), QStringLiteral("Unknown error"));
}

TEST(SystemErrorText, RealFailuresOfFilesComeOutInFrench)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    const std::pair<QString, int> opened[] = {
        {dir.filePath("missing.bmp"), ENOENT},
        {dir.filePath("plain.txt/inside.bmp"), ENOTDIR},
        {dir.path(), EISDIR},
    };
    for (const auto& [path, number] : opened) {
        QFile file(path);
        EXPECT_FALSE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(deviceErrorText(file), systemErrorText(number)) << path.toStdString();
    }

    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    full.write(QByteArray(16, 'x'));
    EXPECT_FALSE(full.flush());
    EXPECT_EQ(deviceErrorText(full), systemErrorText(ENOSPC));

    // A file size limit: the write past it fails with EFBIG once SIGXFSZ is ignored.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QFile large(dir.filePath("large.bin"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    large.write(QByteArray(64, 'x'));
    EXPECT_FALSE(large.flush());
    const QString reason = deviceErrorText(large);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(reason, systemErrorText(EFBIG));
}
