#include "platform/largeimage.h"

#include "platform/largepages.h"

#include <cstdint>
#include <cstdlib>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace sw {

namespace {

constexpr std::size_t HugePage = 2 * 1024 * 1024;

} // namespace

QImage newLargeImage(int width, int height, QImage::Format format)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (width > 0 && height > 0) {
        const int depth = QImage::toPixelFormat(format).bitsPerPixel();
        // Rows of whole 32-bit words, as QImage lays them out.
        const std::size_t rowBytes = (std::size_t(width) * std::size_t(depth) + 31) / 32 * 4;
        const std::size_t bytes = rowBytes * std::size_t(height);
        if (bytes >= 2 * HugePage && rowBytes <= std::size_t(INT32_MAX)) {
            void* memory = allocateLargePageBlock(bytes);
            if (!memory)
                return {};
            return QImage(static_cast<uchar*>(memory), width, height, qsizetype(rowBytes), format,
                          std::free, memory);
        }
    }
#endif
    return QImage(width, height, format);
}

} // namespace sw
