#pragma once
// What the JPEG reader and writer share: a libjpeg error manager whose
// error_exit longjmps back to the caller's setjmp instead of exiting, and
// which keeps the failure for a short French message. Warnings print
// nothing; a premature end of the data counts as an error (truncated file).
#include <QString>

#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>
#include <jerror.h>

namespace kel::codecs::detail {

// The message code our own scan limit fails with (past libjpeg's own codes).
inline constexpr int kJpegTooManyScans = JMSG_LASTMSGCODE;

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int code = 0;                 // libjpeg's message code of the failure
    char text[JMSG_LENGTH_MAX] = {}; // libjpeg's own text of it

    // The failure as a short French phrase (for "Fichier JPEG incorrect : ...").
    QString problem() const;
};

// Sets up `manager` and returns the pointer to store in the info's `err`.
jpeg_error_mgr* initJpegErrorManager(JpegErrorManager& manager);

} // namespace kel::codecs::detail
