#pragma once
// Writing files so that a failure never destroys the file that was there: the
// bytes go to a temporary file in the same folder, which replaces the target
// only once everything was written.
#include <QByteArray>
#include <QString>

namespace kel::codecs {

// Throws FileError with the system's text when the file cannot be written.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace kel::codecs
