// The system window: every row's text from given facts, the disk rows and
// gauges against statvfs, and this machine's processor rows.
#include "windows/configure_form.h"

#include "platform/linux_system_facts.h"
#include "support/fake_services.h"
#include "widgets/q_progress_bar.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/statvfs.h>

namespace kel {
namespace {

const QChar kNbsp(0x00A0);

QString grouped(const char* text) { return QString::fromUtf8(text).replace(u'_', kNbsp); }

TEST(SystemWindow, RowsShowTheFactsInTheirFormats)
{
    test::FixedSystemFacts facts;
    TConfigureForm form(nullptr, facts);
    form.FormActivate();
    const std::pair<QLabel*, const char*> rows[] = {
        {form.Panel2, " utilisateur"},
        {form.Panel3, " poste"},
        {form.Panel4, " Debian GNU/Linux 12 (bookworm)"},
        {form.Panel10, " Version n° 6.1"},
        {form.Panel9, " /etc"},
        {form.Panel11, " /usr/lib"},
        {form.LabelBorder1, "1920 pixels"},
        {form.LabelBorder2, "1080 pixels"},
        {form.Panel5, " 32 bits"},
        {form.Panel13, " 4194304 kilooctets"},
        {form.Panel12, " 16777216 kilooctets"},
        {form.LabelBorder3, "Processeur de test"},
        {form.Panel16, " 2992,56 MHz"},
        {form.LabelBorder4, "Oui"},
    };
    for (const auto& [field, text] : rows) EXPECT_EQ(field->text(), QString::fromUtf8(text)) << field->objectName().toStdString();
    EXPECT_EQ(form.QProgressBar1->position(), 25);
    EXPECT_EQ(form.QProgressBar2->position(), 75);
    EXPECT_EQ(facts.diskFolders, QStringList{QDir::currentPath()});

    // The memory rows come from the timer, which runs from creation.
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_EQ(form.Timer1.interval(), 1000);
    struct Memory {
        MemoryStatus status;
        const char *physical, *available, *load, *virtualSpace;
    };
    const Memory memories[] = {
        {{1073741824ull, 536870912ull, 140737488355328ull, 50}, " 1_024 mégaoctets", " 524_288 kilooctets", " 50 %",
         " 134_217_728 mégaoctets"},
        // Megabytes and kilobytes round to the nearest; fewer than four digits are not grouped.
        {{1572864ull * 3 / 2, 1536ull, 3221225472ull, 7}, " 2 mégaoctets", " 2 kilooctets", " 7 %", " 3_072 mégaoctets"},
        {{999ull << 20, 0, 1ull << 20, 100}, " 999 mégaoctets", " 0 kilooctets", " 100 %", " 1 mégaoctets"},
    };
    for (const Memory& m : memories) {
        facts.memoryStatus = m.status;
        form.Timer1Timer();
        EXPECT_EQ(form.Panel6->text(), grouped(m.physical));
        EXPECT_EQ(form.Panel7->text(), grouped(m.available));
        EXPECT_EQ(form.Panel8->text(), grouped(m.load));
        EXPECT_EQ(form.Panel14->text(), grouped(m.virtualSpace));
    }
}

TEST(SystemWindow, AnUnreadableOrEmptyDiskShowsTheFailureValues)
{
    test::FixedSystemFacts facts;
    TConfigureForm form(nullptr, facts);
    for (const DiskSpace disk : {DiskSpace{}, DiskSpace{0, 0}, DiskSpace{-1, 4096}}) {
        facts.disk = disk;
        facts.mmx = false;
        form.FormActivate();
        EXPECT_EQ(form.Panel13->text(), QStringLiteral(" -1 kilooctets"));
        EXPECT_EQ(form.Panel12->text(), QStringLiteral(" -1 kilooctets"));
        EXPECT_EQ(form.QProgressBar1->position(), 100);
        EXPECT_EQ(form.QProgressBar2->position(), 0);
        EXPECT_EQ(form.LabelBorder4->text(), QStringLiteral("Non"));
    }
}

TEST(SystemWindow, ThisMachinesDiskAndProcessor)
{
    QTemporaryDir folder;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    LinuxSystemFacts facts;
    TConfigureForm form(nullptr, facts);
    QDir::setCurrent(before);
    EXPECT_EQ(form.measuredFolder(), QDir(folder.path()).canonicalPath());

    // Free space moves while other programs write: it must lie between two readings.
    struct statvfs first {}, last {};
    ASSERT_EQ(::statvfs(QFile::encodeName(folder.path()).constData(), &first), 0);
    form.FormActivate();
    ASSERT_EQ(::statvfs(QFile::encodeName(folder.path()).constData(), &last), 0);
    const auto kilobytes = [](const QLabel* field) {
        const QStringList words = field->text().split(u' ', Qt::SkipEmptyParts);
        EXPECT_EQ(words.value(1), QStringLiteral("kilooctets"));
        return words.value(0).toLongLong();
    };
    const long long freeA = (long long)first.f_bavail * (long long)first.f_frsize / 1024;
    const long long freeB = (long long)last.f_bavail * (long long)last.f_frsize / 1024;
    EXPECT_GE(kilobytes(form.Panel13), std::min(freeA, freeB));
    EXPECT_LE(kilobytes(form.Panel13), std::max(freeA, freeB));
    EXPECT_EQ(kilobytes(form.Panel12), (long long)last.f_blocks * (long long)last.f_frsize / 1024);
    const int freePercent = form.QProgressBar1->position(), usedPercent = form.QProgressBar2->position();
    EXPECT_GE(freePercent + usedPercent, 98);
    EXPECT_LE(freePercent + usedPercent, 100);

    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ [1-9][0-9]*,[0-9]{2} MHz$")).match(form.Panel16->text()).hasMatch())
        << form.Panel16->text().toStdString();
#if defined(__x86_64__)
    EXPECT_EQ(form.LabelBorder4->text(), QStringLiteral("Oui"));
#endif
}

} // namespace
} // namespace kel
