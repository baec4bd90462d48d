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
    QString error;
    const QImage image = sw::decodePicture(bytes, QStringLiteral("input"), &error);
    if (image.isNull()) {
        if (error.isEmpty())
            std::abort(); // refused without a reason
        return 0;
    }
    if (image.width() > sw::MaxPictureSide || image.height() > sw::MaxPictureSide ||
        image.format() != QImage::Format_RGB32)
        std::abort();
    return 0;
}
