#include "platform/wallpaper_portal.h"

#if KELVARY_HAS_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
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

std::optional<PortalAnswer> setWallpaperThroughPortal(const QString& pictureFile)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;

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
    const QString requestPath = kObject + QStringLiteral("/request/") + sender + u'/' + token;
    ResponseWaiter waiter;
    const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
    const QString responseSignal = QStringLiteral("Response");
    if (!bus.connect(kService, requestPath, requestInterface, responseSignal, &waiter,
                     SLOT(onResponse(uint, QVariantMap))))
        return std::nullopt;

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kObject, kInterface, QStringLiteral("SetWallpaperURI"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("show-preview"), false},
                              {QStringLiteral("set-on"), QStringLiteral("background")}};
    call << QString() << QUrl::fromLocalFile(pictureFile).toString(QUrl::FullyEncoded) << options;
    std::optional<PortalAnswer> answer;
    if (bus.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage) {
        // The portal may first ask the user for leave: wait for the answer, not for ever.
        QEventLoop loop;
        QObject::connect(&waiter, &ResponseWaiter::answered, &loop, &QEventLoop::quit);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        if (!waiter.response) loop.exec();
        // 0: done; 1: the user declined; anything else: the portal failed.
        if (waiter.response == 0u) answer = PortalAnswer::Applied;
        else if (waiter.response == 1u) answer = PortalAnswer::Refused;
    }
    bus.disconnect(kService, requestPath, requestInterface, responseSignal, &waiter,
                   SLOT(onResponse(uint, QVariantMap)));
    return answer;
}

#else

std::optional<PortalAnswer> setWallpaperThroughPortal(const QString&) { return std::nullopt; }

#endif

} // namespace kel

#if KELVARY_HAS_QTDBUS
#include "wallpaper_portal.moc"
#endif
