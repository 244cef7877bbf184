#include "soak/soak_checks.h"

#include "app/program_form.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <malloc.h>
#include <sys/inotify.h>
#include <unistd.h>


namespace kel::soak {

FolderGuard::FolderGuard(const QStringList& folders)
{
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MODIFY | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB
                                       | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
    auto watch = [this](const QString& folder) {
        const int wd = inotify_add_watch(fd_, QFile::encodeName(folder).constData(), kChanges);
        if (wd >= 0) watches_.emplace_back(wd, folder);
    };
    for (const QString& folder : folders) {
        watch(folder);
        QDirIterator under(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (under.hasNext()) watch(under.next());
    }
}

FolderGuard::~FolderGuard()
{
    if (fd_ >= 0) close(fd_);
}

QStringList FolderGuard::changes()
{
    QStringList seen;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t length; (length = read(fd_, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            QString folder;
            for (const auto& [wd, name] : watches_)
                if (wd == event->wd) folder = name;
            seen << folder + u'/' + QFile::decodeName(event->len ? event->name : "");
            at += sizeof(inotify_event) + event->len;
        }
    }
    return seen;
}

namespace {

// Texts that only a fault produces: a row or pixel outside a bitmap, or a
// failure that is not one of the program's own. ("Error" is the scrambling's
// own refusal of a picture one row high.)
bool betraysFault(const QString& text)
{
    static const QRegularExpression fault(QStringLiteral(
        "^(Indice de ligne hors limites|Pixel hors limites|Erreur inconnue|std::|vector|basic_string|bad_)"));
    return text.isEmpty() || fault.match(text).hasMatch();
}

QString sizeText(int width, int height) { return QStringLiteral("%1 x %2").arg(width).arg(height); }

} // namespace

void Invariants::beforeStep()
{
    statusBefore_ = form_.EStatusBar1->Caption();
    const Picture& original = form_.Image1->PictureOriginal();
    originalBefore_ = original.graphic();
    originalSizeBefore_ = QSize(original.width(), original.height());
}

QString Invariants::afterStep(const QStringList& errors)
{
    QString failure = checkErrors(errors);
    if (failure.isEmpty()) failure = checkPictures();
    if (failure.isEmpty()) failure = checkStatusLine();
    return failure;
}

QString Invariants::checkErrors(const QStringList& errors) const
{
    for (const QString& text : errors)
        if (betraysFault(text)) return QStringLiteral("the error box showed \"%1\"").arg(text);
    return {};
}

QString Invariants::checkPictures()
{
    const Picture& original = form_.Image1->PictureOriginal();
    const Picture& shown = form_.Image1->Picture();
    if (original.hasGraphic()) {
        const Bitmap* bitmap = original.bitmapIfAny();
        if (!bitmap || bitmap->pixelFormat() != pf24bit) return QStringLiteral("the original is not a 24-bit bitmap");
    }
    if (shown.hasGraphic() && !shown.bitmapIfAny()) return QStringLiteral("the shown picture is not a bitmap");
    // A step that changes the original recomputes the shown picture from it. Other
    // steps may set the shown picture apart (a scan, a frame) until the next change.
    const bool originalChanged = original.graphic() != originalBefore_
                                 || QSize(original.width(), original.height()) != originalSizeBefore_;
    if (originalChanged && original.hasGraphic() && shown.hasGraphic()
        && (shown.width() != original.width() || shown.height() != original.height()))
        return QStringLiteral("shown %1 but original %2")
            .arg(sizeText(shown.width(), shown.height()), sizeText(original.width(), original.height()));
    return {};
}

QString Invariants::checkStatusLine()
{
    const QString status = form_.EStatusBar1->Caption();
    if (status == statusBefore_) return {}; // kept from an earlier step, as the program may
    const Picture& shown = form_.Image1->Picture();
    static const QRegularExpression full(QStringLiteral("^(.*) \\| (\\d+) x (\\d+) pixels \\| (\\d+) couleurs$"));
    static const QRegularExpression brief(QStringLiteral("^(\\d+) x (\\d+) pixels$"));
    if (status.trimmed().isEmpty()) return {}; // emptied
    if (!shown.hasGraphic()) return QStringLiteral("status \"%1\" without a picture").arg(status);
    const QString size = sizeText(shown.width(), shown.height());
    if (const auto match = brief.match(status); match.hasMatch()) {
        if (sizeText(match.captured(1).toInt(), match.captured(2).toInt()) != size)
            return QStringLiteral("status \"%1\" for a picture of %2").arg(status, size);
        return {};
    }
    const auto match = full.match(status);
    if (!match.hasMatch()) return QStringLiteral("status \"%1\" has neither form").arg(status);
    if (sizeText(match.captured(2).toInt(), match.captured(3).toInt()) != size)
        return QStringLiteral("status \"%1\" for a picture of %2").arg(status, size);
    if (match.captured(1) != form_.document().fileName())
        return QStringLiteral("status \"%1\" for the file %2").arg(status, form_.document().fileName());
    // The count was taken when the line was written; later writes of the same step
    // (the track bars' handlers) may change the colours, never the pixel count.
    if (match.captured(4).toLongLong() > std::int64_t(shown.width()) * shown.height())
        return QStringLiteral("status \"%1\" counts more colours than pixels").arg(status);
    return {};
}

std::int64_t residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

std::int64_t heapInUseBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return std::int64_t(info.uordblks + info.hblkhd);
}

std::int64_t peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    static const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
    const auto match = peak.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() * 1024 : 0;
}

} // namespace kel::soak
