#include "codecs/jpeg_common.h"

namespace kel::codecs::detail {

namespace {

void jpegErrorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    manager->code = info->err->msg_code;
    (*info->err->format_message)(info, manager->text);
    std::longjmp(manager->jump, 1);
}

void jpegEmitMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning; only the end of the data coming too soon is
    // fatal (libjpeg would otherwise fill the rest of the picture with grey).
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) jpegErrorExit(info);
    if (level < 0) ++info->err->num_warnings;
}

void jpegOutputMessage(j_common_ptr) {}

} // namespace

jpeg_error_mgr* initJpegErrorManager(JpegErrorManager& manager)
{
    jpeg_error_mgr* base = jpeg_std_error(&manager.base);
    base->error_exit = jpegErrorExit;
    base->emit_message = jpegEmitMessage;
    base->output_message = jpegOutputMessage;
    return base;
}

QString JpegErrorManager::problem() const
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY: return QStringLiteral("données tronquées");
    case JERR_NO_SOI: return QStringLiteral("signature absente");
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW: return QStringLiteral("dimensions impossibles");
    case JERR_EMPTY_IMAGE: return QStringLiteral("dimensions nulles");
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_VIRTUAL_BUG: return QStringLiteral("image trop grande pour la mémoire permise");
    case JERR_CONVERSION_NOTIMPL:
    case JERR_BAD_J_COLORSPACE:
    case JERR_BAD_IN_COLORSPACE:
    case kJpegTooManyScans: return QStringLiteral("trop de passes progressives");
    case JERR_NOT_COMPILED:
    case JERR_ARITH_NOTIMPL: return QStringLiteral("codage non pris en charge");
    default: return QStringLiteral("données corrompues (%1)").arg(QString::fromLatin1(text));
    }
}

} // namespace kel::codecs::detail
