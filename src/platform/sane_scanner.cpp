#include "platform/sane_scanner.h"

#include "graphics/errors.h"
#include "platform/scan_assembly.h"

#include <sane/sane.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace kel {

// The entry points used, resolved from the loaded library.
struct SaneScanner::Library {
    void* handle = nullptr;
    decltype(&::sane_init) init = nullptr;
    decltype(&::sane_exit) exit = nullptr;
    decltype(&::sane_get_devices) getDevices = nullptr;
    decltype(&::sane_open) open = nullptr;
    decltype(&::sane_close) close = nullptr;
    decltype(&::sane_get_parameters) getParameters = nullptr;
    decltype(&::sane_start) start = nullptr;
    decltype(&::sane_read) read = nullptr;
    decltype(&::sane_cancel) cancel = nullptr;
    decltype(&::sane_strstatus) strstatus = nullptr;

    ~Library()
    {
        if (exit) exit();
        // Never unloaded: backends may leave threads and handlers behind.
    }
};

namespace {

template <typename F>
bool resolve(void* handle, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
}

ScanFrameKind frameKind(SANE_Frame frame)
{
    switch (frame) {
    case SANE_FRAME_GRAY: return ScanFrameKind::Gray;
    case SANE_FRAME_RGB: return ScanFrameKind::Rgb;
    case SANE_FRAME_RED: return ScanFrameKind::Red;
    case SANE_FRAME_GREEN: return ScanFrameKind::Green;
    case SANE_FRAME_BLUE: return ScanFrameKind::Blue;
    }
    throw InvalidGraphic(QStringLiteral("Type de trame de numérisation inconnu"));
}

// Raw data kept for one frame at most: enough for the largest bitmap in 16-bit samples.
constexpr std::size_t kMaxFrameBytes = std::size_t(kMaxBitmapBytes) * 2;

} // namespace

SaneScanner::SaneScanner(QString libraryName) : libraryName_(std::move(libraryName)) {}

SaneScanner::~SaneScanner()
{
    if (library_)
        for (const auto& [name, handle] : openSources_) library_->close(handle);
}

bool SaneScanner::available()
{
    if (tried_) return library_ != nullptr;
    tried_ = true;
    auto library = std::make_unique<Library>();
    // A name without a slash: only the loader's own search path is used.
    if (libraryName_.contains(u'/')) return false;
    library->handle = dlopen(libraryName_.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library->handle) return false;
    void* h = library->handle;
    if (!resolve(h, "sane_init", library->init) || !resolve(h, "sane_get_devices", library->getDevices) ||
        !resolve(h, "sane_open", library->open) || !resolve(h, "sane_close", library->close) ||
        !resolve(h, "sane_get_parameters", library->getParameters) || !resolve(h, "sane_start", library->start) ||
        !resolve(h, "sane_read", library->read) || !resolve(h, "sane_cancel", library->cancel) ||
        !resolve(h, "sane_strstatus", library->strstatus))
        return false;
    SANE_Int version = 0;
    if (library->init(&version, nullptr) != SANE_STATUS_GOOD) return false;
    resolve(h, "sane_exit", library->exit); // only once initialised
    library_ = std::move(library);
    return true;
}

std::vector<ScanSource> SaneScanner::sources()
{
    std::vector<ScanSource> found;
    if (!available()) return found;
    const SANE_Device** devices = nullptr;
    if (library_->getDevices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || !devices) return found;
    for (const SANE_Device** d = devices; *d; ++d) {
        const auto text = [](const char* s) { return s ? QString::fromUtf8(s) : QString(); };
        found.push_back({text((*d)->name), text((*d)->vendor), text((*d)->model), text((*d)->type)});
    }
    return found;
}

void* SaneScanner::openSource(const QString& source)
{
    if (const auto it = openSources_.find(source); it != openSources_.end()) return it->second;
    SANE_Handle handle = nullptr;
    const SANE_Status status = library_->open(source.toUtf8().constData(), &handle);
    if (status != SANE_STATUS_GOOD || !handle)
        throw Error(QStringLiteral("La source « %1 » ne s' ouvre pas : %2")
                        .arg(source, QString::fromUtf8(library_->strstatus(status))));
    openSources_[source] = handle;
    return handle;
}

std::optional<Bitmap> SaneScanner::acquire(const QString& source, const ScanProgress& progress)
{
    if (!available()) return std::nullopt;
    SANE_Handle handle = openSource(source);
    const auto failure = [this, handle](SANE_Status status) {
        library_->cancel(handle);
        return Error(QStringLiteral("La numérisation a échoué : %1").arg(QString::fromUtf8(library_->strstatus(status))));
    };

    std::vector<ScanFrame> frames;
    std::vector<SANE_Byte> buffer(64 * 1024);
    for (;;) {
        const SANE_Status started = library_->start(handle);
        if (started == SANE_STATUS_CANCELLED || started == SANE_STATUS_NO_DOCS) {
            library_->cancel(handle);
            return std::nullopt;
        }
        if (started != SANE_STATUS_GOOD) throw failure(started);
        SANE_Parameters parameters{};
        const SANE_Status described = library_->getParameters(handle, &parameters);
        if (described != SANE_STATUS_GOOD) throw failure(described);

        ScanFrame frame;
        frame.kind = frameKind(parameters.format);
        frame.depth = parameters.depth;
        frame.pixelsPerLine = parameters.pixels_per_line;
        frame.bytesPerLine = parameters.bytes_per_line;
        frame.lines = parameters.lines;
        const std::int64_t expected =
            parameters.lines > 0 ? std::int64_t(parameters.lines) * std::max(parameters.bytes_per_line, 0) : -1;
        for (;;) {
            SANE_Int length = 0;
            const SANE_Status status = library_->read(handle, buffer.data(), SANE_Int(buffer.size()), &length);
            if (status == SANE_STATUS_EOF) break;
            if (status == SANE_STATUS_CANCELLED) return std::nullopt;
            if (status != SANE_STATUS_GOOD) throw failure(status);
            if (length < 0 || std::size_t(length) > buffer.size()) throw failure(SANE_STATUS_IO_ERROR);
            if (frame.data.size() + std::size_t(length) > kMaxFrameBytes) {
                library_->cancel(handle);
                throw OutOfResources(QStringLiteral("L' image numérisée est trop grande"));
            }
            frame.data.insert(frame.data.end(), buffer.begin(), buffer.begin() + length);
            const int percent = expected > 0 ? int(std::min<std::int64_t>(100, std::int64_t(frame.data.size()) * 100 / expected)) : -1;
            if (progress && !progress(percent)) {
                library_->cancel(handle);
                // The cancelled scan ends when a read says so; the next one can only start then.
                for (int tries = 0; tries < 500; ++tries) {
                    SANE_Int ignored = 0;
                    if (library_->read(handle, buffer.data(), SANE_Int(buffer.size()), &ignored) != SANE_STATUS_GOOD)
                        break;
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
                return std::nullopt;
            }
        }
        frames.push_back(std::move(frame));
        if (parameters.last_frame) break;
        if (frames.size() >= 3) throw failure(SANE_STATUS_INVAL);
    }
    // Only the first picture is kept: later pages of a feeder are dropped.
    library_->cancel(handle);
    return assembleScan(frames);
}

} // namespace kel
