#pragma once
// Picture files: readers chosen by the file name's extension, and the writers.
#include "graphics/graphic.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace kel::codecs {

// A reader decodes a whole file. `path` is where the bytes came from (a
// reader may look beside it, as Dr. Halo files do for their palette); it may
// be empty. Rejected data raises InvalidGraphic with a short French text.
using ReadFunction = std::unique_ptr<Graphic> (*)(const QByteArray& bytes, const QString& path);

struct ReaderEntry {
    QStringList extensions; // lower case, without the dot
    ReadFunction read;
};

// Every reader, in registration order.
const std::vector<ReaderEntry>& readers();
// The reader that claims an extension (any case, without the dot), or nullptr.
ReadFunction readerFor(const QString& extension);

// Loads a picture file through the reader of its extension. An unclaimed
// extension or rejected data raise InvalidGraphic; a file that cannot be read
// raises FileError with the system's text.
std::unique_ptr<Graphic> loadGraphic(const QString& path);
// Decodes bytes as the reader of `extension` would (used by tests and fuzzers).
std::unique_ptr<Graphic> decodeGraphic(const QByteArray& bytes, const QString& extension,
                                       const QString& path = {});

// The readers of each family register here (one list per source file).
std::vector<ReaderEntry> libraryReaders(); // BMP, GIF, JPEG, PNG, TIFF
std::vector<ReaderEntry> legacyReaders();  // Targa, PCX, Photo CD, Photoshop, SGI, RLA, PNM, Animator, Dr. Halo
std::vector<ReaderEntry> iconAndMetafileReaders(); // ICO, EMF, WMF

} // namespace kel::codecs
