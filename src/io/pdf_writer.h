#pragma once
// The program's own PDF writer: each JPEG file becomes one page of exactly
// its size, the JPEG data embedded unchanged as a DCT-encoded image.
#include <QString>
#include <QStringList>

namespace kel::io {

// Results of JpegFilesToPdf besides the index of a rejected JPEG file.
inline constexpr int kPdfWritten = -2;
inline constexpr int kPdfNotCreated = -1; // empty PDF name, or the file could not be written
inline constexpr int kPdfWriteFailed = -3; // a JPEG file could not be read again while writing

// Width, height and colour model from the frame header of a baseline or
// progressive JPEG with 3 (RGB) or 4 (CMYK) components; false otherwise.
bool ReadJpegFrameInfo(const QString& fileName, int& width, int& height, bool& isCmyk);

// One PDF page per JPEG file, in list order. Returns kPdfWritten, one of the
// failure codes above, or the index (0 or more) of the first file that is not
// a JPEG the writer accepts, in which case nothing is written. The PDF file is
// replaced atomically: on failure an older file of that name stays untouched.
int JpegFilesToPdf(const QStringList& jpegFileNames, const QString& pdfFileName);
int JpegFileToPdf(const QString& jpegFileName, const QString& pdfFileName);

} // namespace kel::io
