#pragma once
// What a fuzz target does with one input, shared with the tests that replay
// the corpora (tests/codecs/corpus_replay.cpp): decode it as a file of one
// extension and draw the top-left corner of the result over white, as the
// open command would. Rejected data raises InvalidGraphic; anything else (an
// exception of another kind, a sanitizer report, a leak) is a finding.
#include "codecs/codec.h"
#include "codecs/over_white.h"
#include "graphics/errors.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace kel::fuzz {

// True when the input decoded, false when the reader refused it; every other
// failure goes through.
inline bool decodeAndDrawCorner(const QByteArray& bytes, const QString& extension)
{
    try {
        const auto graphic = codecs::decodeGraphic(bytes, extension);
        if (!graphic || graphic->empty()) throw std::logic_error("a reader returned an empty picture");
        // A metafile renders its whole picture to draw any part of it: only pictures of a sensible size are drawn.
        if (!graphic->isMetafile() || std::int64_t(graphic->width()) * graphic->height() <= (std::int64_t(1) << 22))
            codecs::drawnOver(*graphic, std::min(graphic->width(), 64), std::min(graphic->height(), 64));
        return true;
    } catch (const InvalidGraphic&) {
        return false;
    }
}

// One fuzz input: decodeAndDrawCorner on the bytes and, for Photo CD files
// shorter than a whole base image (too large to mutate well), also on the
// bytes padded with zeros to one, so that their header reaches the decoder.
// Returns how many of those decoded.
inline int decodeFuzzInput(QByteArray bytes, const QString& extension)
{
    constexpr qsizetype kPhotoCdBaseImageEnd = 0x30000 + 256 * 2304;
    int decoded = decodeAndDrawCorner(bytes, extension) ? 1 : 0;
    if (extension == QLatin1String("pcd") && bytes.size() < kPhotoCdBaseImageEnd) {
        bytes.append(QByteArray(kPhotoCdBaseImageEnd - bytes.size(), '\0'));
        decoded += decodeAndDrawCorner(bytes, extension) ? 1 : 0;
    }
    return decoded;
}

} // namespace kel::fuzz
