#pragma once
// What must hold after every step of the soak: no failure that betrays a
// fault in the error box, the document's pictures consistent, a status line
// that describes the shown picture whenever a step writes it, no file
// touched outside the soak's folder, and memory that stays flat.
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace kel {

class TProgramForm;

namespace soak {

// Watches folders for any change made to them (inotify).
class FolderGuard {
public:
    // Each folder with every folder under it.
    explicit FolderGuard(const QStringList& folders);
    ~FolderGuard();
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;

    int watchedFolders() const { return int(watches_.size()); }
    // The changes seen since the last call, as "<folder>/<name>" lines.
    QStringList changes();

private:
    int fd_ = -1;
    std::vector<std::pair<int, QString>> watches_;
};

class Invariants {
public:
    explicit Invariants(TProgramForm& form) : form_(form) {}

    void beforeStep();
    // Empty when everything holds; otherwise what went wrong.
    QString afterStep(const QStringList& errors);

private:
    QString checkErrors(const QStringList& errors) const;
    QString checkPictures();
    QString checkStatusLine();

    TProgramForm& form_;
    QString statusBefore_;
    // The original picture before the step, to tell whether the step changed it.
    const void* originalBefore_ = nullptr;
    QSize originalSizeBefore_;
};

// Resident memory, after handing freed memory back to the system.
std::int64_t residentBytes();
std::int64_t peakResidentBytes();
// Bytes the allocator has handed out and not got back.
std::int64_t heapInUseBytes();

} // namespace soak
} // namespace kel
