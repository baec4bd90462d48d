#include "platform/jpegerror.h"

namespace sw {

namespace {

[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings are tolerated, except those saying that data is missing: a
// truncated file is an error, not a picture with a grey lower part. A
// progression that skips the first scan of a component counts as missing
// data, so that every component's blocks cost at least a bit each.
void jpegEmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
        jpegErrorExit(info);
    default:
        break;
    }
}

} // namespace

void installErrorManager(JpegError& error)
{
    jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.emit_message = jpegEmitMessage;
    error.message[0] = '\0';
}

} // namespace sw
