#pragma once
// Putting a writer's bytes where they go. Files are written so that a
// failure never destroys the file that was there: the bytes go to a
// temporary file in the same folder, which replaces the target only once
// everything was written.
#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace kel::codecs {

// Throws FileError with the system's text when the file cannot be written.
void writeFileAtomically(const QString& path, const QByteArray& bytes);
// The same for bytes a writer sends to the temporary file itself; whatever
// it throws leaves the old file in place.
void writeFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write);

// Writes all the bytes to an open device; a short write raises FileError
// ("Écriture impossible : <the device's text>").
void writeToDevice(QIODevice& device, const QByteArray& bytes);

} // namespace kel::codecs
