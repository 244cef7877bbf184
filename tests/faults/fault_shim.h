#pragma once
// The control calls of the fault-injection library (fault_shim.cpp). Tests
// find them with dlsym, so that they run only when the library is preloaded.

// What fails once armed. The numbers are those of KELVARY_FAULT_POINT.
enum FaultKind {
    kFaultNone = 0,
    kFaultOpen = 1,       // opening or creating a file for writing
    kFaultWrite = 2,      // write, pwrite, writev
    kFaultShortWrite = 3, // half the bytes of one write, then failures
    kFaultSync = 4,       // fsync, fdatasync
    kFaultClose = 5,      // close, after the descriptor was released
    kFaultLink = 6,       // link, linkat (the link's new name in the folder)
    kFaultRename = 7,     // rename, renameat, renameat2 (the new name in the folder)
    kFaultTruncate = 8,   // ftruncate
};

extern "C" {
// Faults hit files in this folder and below only.
void kelvary_fault_watch(const char* folder);
// From the (skip + 1)-th matching call on, calls of that kind fail with `error`.
void kelvary_fault_arm(int kind, int error, int skip);
void kelvary_fault_disarm();
// How many calls failed since the last arm.
int kelvary_fault_fired();
// While set, unnamed temporary files (O_TMPFILE) cannot be made in the
// folder, as on file systems without them: writers fall back to named ones.
void kelvary_fault_refuse_unnamed(int refuse);
}
