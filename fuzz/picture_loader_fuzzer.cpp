// libFuzzer target for the picture loaders: any input ends in a picture within
// the size limit or in an error message, never in a crash or in more memory
// than the input can fill.
#include "platform/picturecodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool scan : {false, true}) {
        QString error;
        const QImage image = scan ? sw::decodeScan(bytes, QStringLiteral("input"), &error)
                                  : sw::decodePicture(bytes, QStringLiteral("input"), &error);
        if (image.isNull()) {
            if (error.isEmpty())
                std::abort(); // refused without a reason
            continue;
        }
        const bool grey = scan && image.format() == QImage::Format_Grayscale8;
        if (image.width() > sw::MaxPictureSide || image.height() > sw::MaxPictureSide ||
            (image.format() != QImage::Format_RGB32 && !grey))
            std::abort();
    }
    return 0;
}
