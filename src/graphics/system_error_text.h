#pragma once
// The system's reason for a failed file operation, in French whatever locales
// the machine has: the program's own texts for the common errors, the
// system's text only for the others.
#include <cerrno>

class QIODevice;
class QString;

namespace kel {

// The reason for an errno value.
QString systemErrorText(int errorNumber);

// Why the last operation on `device` failed: its error text as Qt gave it,
// recognised as one of the common errors, otherwise that text unchanged.
// A write cut short (a disk filling up, a size limit) leaves Qt without a
// reason; `errorNumber`, errno right after the failing call, gives it then.
QString deviceErrorText(const QIODevice& device, int errorNumber = errno);

} // namespace kel
