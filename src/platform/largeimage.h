#pragma once

#include <QImage>

namespace sw {

// A new image like QImage(width, height, format), whose memory the system may
// back with huge pages when it is large: a scan's bitmap then costs a few
// page faults instead of thousands. A null image when memory runs out.
QImage newLargeImage(int width, int height, QImage::Format format);

} // namespace sw
