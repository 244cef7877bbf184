#include "platform/wallpaper_portal.h"

#if KELVARY_HAS_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>
#include <QVariantMap>
#endif

namespace kel {

#if KELVARY_HAS_QTDBUS

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Wallpaper");

// Waits for the Response signal of one portal request.
class ResponseWaiter : public QObject {
    Q_OBJECT
public:
    std::optional<uint> response;

public slots:
    void onResponse(uint code, const QVariantMap&)
    {
        response = code;
        emit answered();
    }

signals:
    void answered();
};

} // namespace

std::optional<PortalAnswer> askPortalForWallpaper(const QString& pictureFile, std::chrono::milliseconds answerWait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The portal takes a local picture as an open file, never as a file:// address.
    if (!bus.isConnected() || !(bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return std::nullopt;
    QFile picture(pictureFile);
    if (!picture.open(QIODevice::ReadOnly)) return std::nullopt;

    // The portal exports the interface only when some backend implements it.
    QDBusMessage get =
        QDBusMessage::createMethodCall(kService, kObject, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    if (bus.call(get, QDBus::Block, 3000).type() != QDBusMessage::ReplyMessage) return std::nullopt;

    // The request object's path follows from our bus name and a token of our
    // choosing, so its answer is listened for before the call is made.
    const QString token = QStringLiteral("kelvary%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    QString requestPath = kObject + QStringLiteral("/request/") + sender + u'/' + token;
    ResponseWaiter waiter;
    const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
    const QString responseSignal = QStringLiteral("Response");
    const auto listen = [&](bool on) {
        return on ? bus.connect(kService, requestPath, requestInterface, responseSignal, &waiter,
                                SLOT(onResponse(uint, QVariantMap)))
                  : bus.disconnect(kService, requestPath, requestInterface, responseSignal, &waiter,
                                   SLOT(onResponse(uint, QVariantMap)));
    };
    if (!listen(true)) return std::nullopt;

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kObject, kInterface, QStringLiteral("SetWallpaperFile"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("show-preview"), false},
                              {QStringLiteral("set-on"), QStringLiteral("background")}};
    call << QString() << QVariant::fromValue(QDBusUnixFileDescriptor(picture.handle())) << options;
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    std::optional<PortalAnswer> answer;
    if (reply.type() == QDBusMessage::ReplyMessage) {
        // Portals older than the token convention name the request object themselves.
        const QString handle = reply.arguments().value(0).value<QDBusObjectPath>().path();
        if (!handle.isEmpty() && handle != requestPath) {
            listen(false);
            requestPath = handle;
            listen(true);
        }
        // The portal may first ask the user for leave: wait for the answer, not
        // for ever, and take no clicks meanwhile that could start another command.
        QEventLoop loop;
        QObject::connect(&waiter, &ResponseWaiter::answered, &loop, &QEventLoop::quit);
        QTimer::singleShot(answerWait, &loop, &QEventLoop::quit);
        if (!waiter.response) loop.exec(QEventLoop::ExcludeUserInputEvents);
        // 0: done; 1: the user declined; anything else: the portal failed.
        if (waiter.response == 0u) answer = PortalAnswer::Applied;
        else if (waiter.response == 1u) answer = PortalAnswer::Refused;
        // Given up on: withdrawn, so that it cannot change the wallpaper after the desktop's tools did.
        if (!waiter.response)
            bus.send(QDBusMessage::createMethodCall(kService, requestPath, requestInterface, QStringLiteral("Close")));
    }
    listen(false);
    return answer;
}

std::optional<PortalAnswer> setWallpaperThroughPortal(const QString& pictureFile)
{
    return askPortalForWallpaper(pictureFile, std::chrono::minutes(2));
}

#else

std::optional<PortalAnswer> askPortalForWallpaper(const QString&, std::chrono::milliseconds) { return std::nullopt; }
std::optional<PortalAnswer> setWallpaperThroughPortal(const QString&) { return std::nullopt; }

#endif

} // namespace kel

#if KELVARY_HAS_QTDBUS
#include "wallpaper_portal.moc"
#endif
