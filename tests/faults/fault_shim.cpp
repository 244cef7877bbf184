// A preloaded library that makes file writes fail, for the fault-injection
// tests. It stands between the program (and Qt, libjpeg, libtiff...) and the
// C library's file calls, and fails them only for files in one watched folder:
// the folder named by KELVARY_FAULT_FOLDER, or given to kelvary_fault_watch.
//
// A fault is a kind of call, an errno and a count of matching calls to let
// through first; from then on every matching call fails (a broken disk stays
// broken). KELVARY_FAULT_POINT="kind:errno:skip" arms one at start-up, so the
// library can also be put under the real program; tests arm through the
// kelvary_fault_* functions below, found with dlsym.
//
// Kinds (fault_shim.h): creating or opening a file for writing (and the
// unnamed files of O_TMPFILE), write, a short write followed by failures,
// fsync/fdatasync, close, link/linkat, rename/renameat/renameat2, ftruncate.
// KELVARY_FAULT_NO_TMPFILE=1 makes O_TMPFILE unavailable in the folder.
// Writes that stdio makes inside the C library do not pass here; the
// program's writers hand their bytes to Qt, which calls write itself.

// The calls are defined here under their own names, not the fortified ones.
#undef _FORTIFY_SOURCE
#include "fault_shim.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

constexpr int kMaxTrackedFd = 65536;

std::mutex folderMutex;
std::string folder; // without a trailing slash; empty: nothing is watched

std::atomic<int> armedKind{kFaultNone};
std::atomic<int> armedErrno{0};
std::atomic<int> toLetThrough{0};
std::atomic<int> fired{0};
std::atomic<bool> refuseUnnamed{false};
std::atomic<bool> writable[kMaxTrackedFd]; // descriptors open for writing in the folder

template <typename F> F next(const char* name) { return reinterpret_cast<F>(dlsym(RTLD_NEXT, name)); }

// The path as an absolute one, relative ones taken from the directory descriptor.
std::string absolute(int dirFd, const char* path)
{
    if (!path) return {};
    if (path[0] == '/') return path;
    char base[PATH_MAX];
    if (dirFd == AT_FDCWD) {
        if (!getcwd(base, sizeof base)) return path;
    } else {
        char link[64];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", dirFd);
        const ssize_t size = readlink(link, base, sizeof base - 1);
        if (size <= 0) return path;
        base[size] = 0;
    }
    return std::string(base) + "/" + path;
}

bool inFolder(int dirFd, const char* path)
{
    std::lock_guard lock(folderMutex);
    if (folder.empty()) return false;
    const std::string full = absolute(dirFd, path);
    return full.compare(0, folder.size(), folder) == 0 && (full.size() == folder.size() || full[folder.size()] == '/');
}

bool tracked(int fd) { return fd >= 0 && fd < kMaxTrackedFd && writable[fd].load(std::memory_order_relaxed); }

void track(int fd, bool on)
{
    if (fd >= 0 && fd < kMaxTrackedFd) writable[fd].store(on, std::memory_order_relaxed);
}

// True when this matching call is to fail; counts it as a fired fault.
bool strikes(int kind)
{
    if (armedKind.load() != kind) return false;
    if (toLetThrough.fetch_sub(1) > 0) return false;
    fired.fetch_add(1);
    errno = armedErrno.load();
    return true;
}

bool writingFlags(int flags)
{
    return (flags & O_ACCMODE) != O_RDONLY || (flags & O_CREAT) || (flags & O_TRUNC) ||
           (flags & O_TMPFILE) == O_TMPFILE;
}

bool needsMode(int flags) { return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE; }

template <typename Open> int opened(int dirFd, const char* path, int flags, Open&& open)
{
    const bool watched = writingFlags(flags) && inFolder(dirFd, path);
    if (watched && strikes(kFaultOpen)) return -1;
    if (watched && refuseUnnamed.load() && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    const int fd = open();
    if (fd >= 0) track(fd, watched);
    return fd;
}

template <typename Write> ssize_t written(int fd, std::size_t size, Write&& write)
{
    if (!tracked(fd)) return write(size);
    if (strikes(kFaultWrite)) return -1;
    if (armedKind.load() == kFaultShortWrite) {
        if (toLetThrough.fetch_sub(1) > 0) return write(size);
        // The first write past the point puts half its bytes down; every later one fails.
        if (fired.fetch_add(1) == 0 && size > 1) return write(size / 2);
        errno = armedErrno.load();
        return -1;
    }
    return write(size);
}

void armFromEnvironment()
{
    if (const char* path = std::getenv("KELVARY_FAULT_FOLDER")) kelvary_fault_watch(path);
    const char* point = std::getenv("KELVARY_FAULT_POINT");
    int kind = 0, error = 0, skip = 0;
    if (const char* named = std::getenv("KELVARY_FAULT_NO_TMPFILE")) kelvary_fault_refuse_unnamed(std::atoi(named));
    if (point && std::sscanf(point, "%d:%d:%d", &kind, &error, &skip) >= 2) kelvary_fault_arm(kind, error, skip);
}

struct Startup {
    Startup() { armFromEnvironment(); }
} startup;

} // namespace

extern "C" {

void kelvary_fault_watch(const char* path)
{
    std::lock_guard lock(folderMutex);
    folder = path ? path : "";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
}

void kelvary_fault_arm(int kind, int error, int skip)
{
    fired.store(0);
    toLetThrough.store(skip);
    armedErrno.store(error);
    armedKind.store(kind);
}

void kelvary_fault_disarm() { armedKind.store(kFaultNone); }

int kelvary_fault_fired() { return fired.load(); }

void kelvary_fault_refuse_unnamed(int refuse) { refuseUnnamed.store(refuse != 0); }

// ------------------------------------------------------------------ opening

int open(const char* path, int flags, ...)
{
    static const auto real = next<int (*)(const char*, int, ...)>("open");
    mode_t mode = 0;
    if (needsMode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return opened(AT_FDCWD, path, flags, [&] { return real(path, flags, mode); });
}

int open64(const char* path, int flags, ...)
{
    static const auto real = next<int (*)(const char*, int, ...)>("open64");
    mode_t mode = 0;
    if (needsMode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return opened(AT_FDCWD, path, flags, [&] { return real(path, flags, mode); });
}

int openat(int dirFd, const char* path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat");
    mode_t mode = 0;
    if (needsMode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return opened(dirFd, path, flags, [&] { return real(dirFd, path, flags, mode); });
}

int openat64(int dirFd, const char* path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat64");
    mode_t mode = 0;
    if (needsMode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return opened(dirFd, path, flags, [&] { return real(dirFd, path, flags, mode); });
}

int creat(const char* path, mode_t mode) { return open(path, O_CREAT | O_WRONLY | O_TRUNC, mode); }
int creat64(const char* path, mode_t mode) { return open64(path, O_CREAT | O_WRONLY | O_TRUNC, mode); }

// ------------------------------------------------------------------ writing

ssize_t write(int fd, const void* data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    return written(fd, size, [&](std::size_t n) { return real(fd, data, n); });
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t at)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    return written(fd, size, [&](std::size_t n) { return real(fd, data, n, at); });
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t at)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    return written(fd, size, [&](std::size_t n) { return real(fd, data, n, at); });
}

// A vector write is let through or failed whole: the writers here make none.
ssize_t writev(int fd, const iovec* parts, int count)
{
    static const auto real = next<ssize_t (*)(int, const iovec*, int)>("writev");
    if (tracked(fd) && (strikes(kFaultWrite) || strikes(kFaultShortWrite))) return -1;
    return real(fd, parts, count);
}

int ftruncate(int fd, off_t length)
{
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    if (tracked(fd) && strikes(kFaultTruncate)) return -1;
    return real(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    static const auto real = next<int (*)(int, off64_t)>("ftruncate64");
    if (tracked(fd) && strikes(kFaultTruncate)) return -1;
    return real(fd, length);
}

// ------------------------------------------------------- syncing and closing

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    if (tracked(fd) && strikes(kFaultSync)) return -1;
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    if (tracked(fd) && strikes(kFaultSync)) return -1;
    return real(fd);
}

// Like a close that reports a late write-back error: the descriptor is gone all the same.
int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    const bool watched = tracked(fd);
    track(fd, false);
    const int result = real(fd);
    if (watched && result == 0 && strikes(kFaultClose)) return -1;
    return result;
}

// --------------------------------------------------------- naming the files

int link(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("link");
    if (inFolder(AT_FDCWD, to) && strikes(kFaultLink)) return -1;
    return real(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    static const auto real = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    if (inFolder(toDir, to) && strikes(kFaultLink)) return -1;
    return real(fromDir, from, toDir, to, flags);
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    if (inFolder(AT_FDCWD, to) && strikes(kFaultRename)) return -1;
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static const auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    if (inFolder(toDir, to) && strikes(kFaultRename)) return -1;
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    static const auto real = next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    if (inFolder(toDir, to) && strikes(kFaultRename)) return -1;
    return real(fromDir, from, toDir, to, flags);
}

} // extern "C"
