#include "platform/sane_scanner.h"

#include "graphics/errors.h"
#include "platform/scan_assembly.h"
#include "platform/scan_dialog.h"
#include "platform/scan_source_dialog.h"

#include <QApplication>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <dlfcn.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
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
    decltype(&::sane_get_option_descriptor) describeOption = nullptr;
    decltype(&::sane_control_option) controlOption = nullptr;
    decltype(&::sane_set_io_mode) setIoMode = nullptr;     // optional
    decltype(&::sane_get_select_fd) getSelectFd = nullptr; // optional

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

// The settings the scan dialog offers, in the order it shows them.
constexpr const char* kOfferedOptions[] = {SANE_NAME_SCAN_SOURCE, SANE_NAME_SCAN_MODE, SANE_NAME_SCAN_RESOLUTION,
                                           SANE_NAME_SCAN_TL_X,   SANE_NAME_SCAN_TL_Y, SANE_NAME_SCAN_BR_X,
                                           SANE_NAME_SCAN_BR_Y};
// Descriptors come from the backend: counts and sizes beyond these are not believed.
constexpr SANE_Int kMaxOptions = 1000;
constexpr SANE_Int kMaxListEntries = 256;
constexpr SANE_Int kMaxStringSize = 4096;

int offeredRank(const char* name)
{
    for (int rank = 0; rank < int(std::size(kOfferedOptions)); ++rank)
        if (std::strcmp(name, kOfferedOptions[rank]) == 0) return rank;
    return -1;
}

// A single string or number the user may change now.
bool usable(const SANE_Option_Descriptor* d)
{
    if (!d || !d->name || !SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap)) return false;
    if (d->type == SANE_TYPE_STRING)
        return d->size > 0 && d->size <= kMaxStringSize && d->constraint_type == SANE_CONSTRAINT_STRING_LIST &&
               d->constraint.string_list;
    return (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED) && d->size == SANE_Int(sizeof(SANE_Word));
}

double numberOf(const SANE_Option_Descriptor& d, SANE_Word word)
{
    return d.type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : double(word);
}

SANE_Word wordOf(const SANE_Option_Descriptor& d, double number)
{
    if (d.type == SANE_TYPE_FIXED) return SANE_FIX(std::clamp(number, -32767.0, 32767.0));
    return SANE_Word(std::lround(std::clamp(number, -2147483647.0, 2147483647.0)));
}

ScanOption describe(const SANE_Option_Descriptor& d)
{
    ScanOption option;
    option.name = QString::fromUtf8(d.name);
    option.unit = d.unit == SANE_UNIT_DPI ? QStringLiteral("dpi") : d.unit == SANE_UNIT_MM ? QStringLiteral("mm") : QString();
    if (d.type == SANE_TYPE_STRING) {
        for (SANE_Int i = 0; i < kMaxListEntries && d.constraint.string_list[i]; ++i)
            option.choices << QString::fromUtf8(d.constraint.string_list[i]);
    } else if (d.constraint_type == SANE_CONSTRAINT_WORD_LIST && d.constraint.word_list) {
        const SANE_Int count = std::clamp(d.constraint.word_list[0], 0, kMaxListEntries);
        for (SANE_Int i = 1; i <= count; ++i) option.choices << QString::number(numberOf(d, d.constraint.word_list[i]));
    } else if (d.constraint_type == SANE_CONSTRAINT_RANGE && d.constraint.range) {
        option.minimum = numberOf(d, d.constraint.range->min);
        option.maximum = numberOf(d, d.constraint.range->max);
        option.step = std::max(0.0, numberOf(d, d.constraint.range->quant));
    } else {
        option.minimum = 0;
        option.maximum = d.type == SANE_TYPE_FIXED ? 32767 : 1000000;
    }
    return option;
}

// Runs `use(index, descriptor)` for every offered setting the source has now.
template <typename SaneLibrary, typename Use>
void forEachOffered(const SaneLibrary& library, SANE_Handle handle, Use use)
{
    SANE_Int count = 0;
    const SANE_Option_Descriptor* first = library.describeOption(handle, 0);
    if (!first || first->type != SANE_TYPE_INT || first->size != SANE_Int(sizeof(SANE_Word)) ||
        library.controlOption(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return;
    for (SANE_Int index = 1; index < std::min(count, kMaxOptions); ++index) {
        const SANE_Option_Descriptor* d = library.describeOption(handle, index);
        if (usable(d) && offeredRank(d->name) >= 0) use(index, *d);
    }
}

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
        !resolve(h, "sane_strstatus", library->strstatus) ||
        !resolve(h, "sane_get_option_descriptor", library->describeOption) ||
        !resolve(h, "sane_control_option", library->controlOption))
        return false;
    resolve(h, "sane_set_io_mode", library->setIoMode);
    resolve(h, "sane_get_select_fd", library->getSelectFd);
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

std::vector<ScanOption> SaneScanner::options(const QString& source)
{
    std::vector<ScanOption> found;
    if (!available()) return found;
    SANE_Handle handle = openSource(source);
    forEachOffered(*library_, handle, [&](SANE_Int index, const SANE_Option_Descriptor& d) {
        // One byte more than the source's size, so that its string always ends.
        std::vector<char> value(std::size_t(d.size) + 1, 0);
        if (library_->controlOption(handle, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) != SANE_STATUS_GOOD)
            return;
        ScanOption option = describe(d);
        if (d.type == SANE_TYPE_STRING) {
            option.value = QString::fromUtf8(value.data());
        } else {
            SANE_Word word = 0;
            std::memcpy(&word, value.data(), sizeof word);
            option.value = QString::number(numberOf(d, word));
        }
        found.push_back(std::move(option));
    });
    std::stable_sort(found.begin(), found.end(), [](const ScanOption& a, const ScanOption& b) {
        return offeredRank(a.name.toUtf8().constData()) < offeredRank(b.name.toUtf8().constData());
    });
    return found;
}

void SaneScanner::setOption(const QString& source, const QString& name, const QString& value)
{
    if (!available()) return;
    SANE_Handle handle = openSource(source);
    SANE_Status status = SANE_STATUS_UNSUPPORTED;
    bool done = false;
    forEachOffered(*library_, handle, [&](SANE_Int index, const SANE_Option_Descriptor& d) {
        if (done || name != QString::fromUtf8(d.name)) return;
        done = true;
        std::vector<char> buffer(std::size_t(d.size) + 1, 0);
        if (d.type == SANE_TYPE_STRING) {
            const QByteArray text = value.toUtf8().left(d.size - 1);
            std::memcpy(buffer.data(), text.constData(), std::size_t(text.size()));
        } else {
            bool number = false;
            const SANE_Word word = wordOf(d, value.toDouble(&number));
            if (!number) {
                status = SANE_STATUS_INVAL;
                return;
            }
            std::memcpy(buffer.data(), &word, sizeof word);
        }
        SANE_Int info = 0;
        status = library_->controlOption(handle, index, SANE_ACTION_SET_VALUE, buffer.data(), &info);
    });
    if (status != SANE_STATUS_GOOD)
        throw Error(QStringLiteral("La source refuse le réglage « %1 » : %2")
                        .arg(name, QString::fromUtf8(library_->strstatus(status))));
}

std::optional<QString> SaneScanner::selectSource()
{
    return chooseScanSource(sources(), QApplication::activeWindow());
}

std::optional<Bitmap> SaneScanner::acquireWithDialog(const QString& source)
{
    if (!available()) return std::nullopt;
    openSource(source);
    return runScanDialog(*this, source, QApplication::activeWindow());
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
        // The window stays alive while the source is slow: reads return at
        // once where it allows, and where it offers a descriptor that tells
        // when data is there, the progress callback runs until it does.
        const bool nonBlocking = library_->setIoMode && library_->setIoMode(handle, SANE_TRUE) == SANE_STATUS_GOOD;
        SANE_Int selectFd = -1;
        if (!library_->getSelectFd || library_->getSelectFd(handle, &selectFd) != SANE_STATUS_GOOD) selectFd = -1;
        int percent = expected > 0 ? 0 : -1;
        const auto cancelled = [&] {
            if (!progress || progress(percent)) return false;
            library_->cancel(handle);
            // The cancelled scan ends when a read says so; the next one can only start then.
            for (int tries = 0; tries < 500; ++tries) {
                SANE_Int ignored = 0;
                if (library_->read(handle, buffer.data(), SANE_Int(buffer.size()), &ignored) != SANE_STATUS_GOOD) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return true;
        };
        for (;;) {
            if (selectFd >= 0) {
                pollfd ready{selectFd, POLLIN, 0};
                while (::poll(&ready, 1, 20) == 0)
                    if (cancelled()) return std::nullopt;
            }
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
            if (length == 0 && nonBlocking && selectFd < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            frame.data.insert(frame.data.end(), buffer.begin(), buffer.begin() + length);
            if (expected > 0) percent = int(std::min<std::int64_t>(100, std::int64_t(frame.data.size()) * 100 / expected));
            if (cancelled()) return std::nullopt;
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
