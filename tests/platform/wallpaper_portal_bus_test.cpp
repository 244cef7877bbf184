// The wallpaper portal client against a portal of our own on a private
// session bus: what it sends, and what each answer of the portal leads to.
#include "platform/linux_desktop.h"
#include "platform/wallpaper_portal.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kel;

namespace {

// Set before main(), so that nothing in this process can reach the user's own session bus.
const QTemporaryDir busFolder;
const bool busAddressSet =
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(busFolder.filePath("bus")));

const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kWallpaper = QStringLiteral("org.freedesktop.portal.Wallpaper");

enum class Portal { Applies, Refuses, Fails, Silent, OldHandle, NoWallpaper, Absent };

// org.freedesktop.portal.Desktop with only its wallpaper service, answering as told.
class FakePortal : public QDBusVirtualObject {
public:
    explicit FakePortal(Portal behaviour) : behaviour_(behaviour) {}

    QMutex mutex; // what came in, written on the portal's thread
    QString signature, parentWindow;
    QVariantMap options;
    QByteArray fileContent;
    bool closed = false;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        QMutexLocker lock(&mutex);
        const QList<QVariant> arguments = message.arguments();
        if (message.member() == QLatin1String("Get")) {
            const bool served = behaviour_ != Portal::NoWallpaper && arguments.value(0) == kWallpaper;
            connection.send(served ? message.createReply(QVariant::fromValue(QDBusVariant(1u)))
                                   : message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("No such interface")));
        } else if (message.member() == QLatin1String("Close")) {
            closed = message.path().startsWith(kObject + QStringLiteral("/request/"));
            connection.send(message.createReply());
        } else if (message.interface() == kWallpaper) {
            signature = message.signature();
            parentWindow = arguments.value(0).toString();
            options = qdbus_cast<QVariantMap>(arguments.value(2));
            if (message.member() == QLatin1String("SetWallpaperURI")) {
                // The documented portal takes no file: address.
                connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.InvalidArgument"),
                                                         QStringLiteral("file: URIs are not supported")));
                return true;
            }
            QFile file;
            if (file.open(arguments.value(1).value<QDBusUnixFileDescriptor>().fileDescriptor(), QIODevice::ReadOnly))
                fileContent = file.readAll();
            QString sender = message.service().mid(1).replace(u'.', u'_');
            const QString handle = kObject + QStringLiteral("/request/") +
                                   (behaviour_ == Portal::OldHandle ? QStringLiteral("old/1")
                                                                    : sender + u'/' + options.value("handle_token").toString());
            connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
            QDBusMessage response =
                QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            response << uint(behaviour_ == Portal::Refuses ? 1 : behaviour_ == Portal::Fails ? 2 : 0) << QVariantMap();
            // Right after the reply, as a quick portal does; an old one later, once the client could listen.
            if (behaviour_ == Portal::OldHandle)
                QTimer::singleShot(200, [connection, response] { QDBusConnection(connection).send(response); });
            else if (behaviour_ != Portal::Silent)
                connection.send(response);
        } else {
            return false;
        }
        return true;
    }

private:
    Portal behaviour_;
};

class PortalBus : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(busAddressSet && busFolder.isValid());
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) return;
        QFile config(busFolder.filePath(QStringLiteral("bus.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                     " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:path=" +
                     QFile::encodeName(busFolder.filePath("bus")) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        bus = new QProcess;
        bus->start(daemon, {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--print-address"),
                            QStringLiteral("--nofork")});
        ASSERT_TRUE(bus->waitForReadyRead(10000)) << bus->readAllStandardError().toStdString();
    }
    static void TearDownTestSuite()
    {
        if (!bus) return;
        bus->terminate();
        bus->waitForFinished();
        delete bus;
        bus = nullptr;
    }
    void SetUp() override
    {
        if (!bus) GTEST_SKIP() << "dbus-daemon is not installed";
    }
    static inline QProcess* bus = nullptr;
};

TEST_F(PortalBus, EachAnswerOfThePortalLeadsWhereItShould)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("été photo.bmp"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM picture bytes");
    file.close();
    struct Case {
        Portal portal;
        bool asked;     // the wallpaper method was called
        bool applied;
        bool toolsUsed; // gsettings ran after the portal
    };
    const Case cases[] = {
        {Portal::Applies, true, true, false},   {Portal::Refuses, true, false, false},
        {Portal::Fails, true, true, true},      {Portal::Absent, false, true, true},
        {Portal::Silent, true, true, true},     {Portal::OldHandle, true, true, false},
        {Portal::NoWallpaper, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.portal));
        const QString name = QStringLiteral("portal%1").arg(int(c.portal));
        QDBusConnection portalBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        ASSERT_TRUE(portalBus.isConnected());
        QThread portalThread;
        FakePortal portal(c.portal);
        ASSERT_TRUE(portalBus.registerVirtualObject(kObject, &portal, QDBusConnection::SubPath));
        portal.moveToThread(&portalThread);
        if (c.portal != Portal::Absent) {
            ASSERT_TRUE(portalBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        }
        portalThread.start();

        QStringList programs;
        LinuxDesktop desktop(
            [&programs](const QString& program, const QStringList&) {
                programs << program;
                return ProcessOutcome{true, 0, {}};
            },
            QStringLiteral("GNOME"), [](const QString& file) { return askPortalForWallpaper(file, std::chrono::seconds(1)); });
        QElapsedTimer clock;
        clock.start();
        const WallpaperResult result = desktop.setWallpaper(picture, false);
        EXPECT_LT(clock.elapsed(), 4000);
        EXPECT_EQ(result.applied, c.applied);
        EXPECT_TRUE(result.problem.isEmpty()) << result.problem.toStdString(); // no error box
        EXPECT_EQ(!programs.isEmpty(), c.toolsUsed);
        // A request given up on is withdrawn; the withdrawal is sent without waiting.
        for (int i = 0; c.portal == Portal::Silent && i < 100; ++i) {
            if (QMutexLocker lock(&portal.mutex); portal.closed) break;
            QThread::msleep(20);
        }
        QMutexLocker lock(&portal.mutex);
        EXPECT_EQ(portal.closed, c.portal == Portal::Silent);
        EXPECT_EQ(!portal.signature.isEmpty(), c.asked);
        if (c.asked) {
            EXPECT_EQ(portal.signature.toStdString(), "sha{sv}"); // SetWallpaperFile: the picture as an open file
            EXPECT_EQ(portal.parentWindow, QString());
            EXPECT_EQ(portal.fileContent, QByteArray("BM picture bytes"));
            EXPECT_EQ(portal.options.value("show-preview"), QVariant(false));
            EXPECT_EQ(portal.options.value("set-on"), QVariant(QStringLiteral("background")));
            EXPECT_FALSE(portal.options.value("handle_token").toString().isEmpty());
        }
        lock.unlock();
        portalBus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
        portalBus.unregisterObject(kObject, QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(name);
        portalThread.quit();
        portalThread.wait();
    }
}

} // namespace
