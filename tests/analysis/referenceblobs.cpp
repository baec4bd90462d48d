#include "referenceblobs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sw::test {

std::vector<TBlob> referenceFindBlobs(const QImage& binarized, int minimum)
{
    std::vector<TBlob> blobs;
    for (int y = 0; y < binarized.height(); ++y) {
        for (int x = 0; x < binarized.width(); ++x) {
            if ((binarized.pixel(x, y) & 0xFFFFFF) != 0)
                continue;
            TBlob* receiver = nullptr;
            for (TBlob& b : blobs) {
                if (x < b.Left - 1 || x > b.Right + 1 || y < b.Top - 1 || y > b.Bottom + 1)
                    continue;
                bool touches = false;
                for (auto p = b.Points.rbegin(); p != b.Points.rend() && !touches; ++p)
                    touches = std::abs(p->X - x) <= 1 && std::abs(p->Y - y) <= 1;
                if (!touches)
                    continue;
                if (!receiver) {
                    receiver = &b;
                    b.Points.push_back({x, y});
                    b.Left = std::min(b.Left, x);
                    b.Top = std::min(b.Top, y);
                    b.Right = std::max(b.Right, x);
                    b.Bottom = std::max(b.Bottom, y);
                } else {
                    receiver->Left = std::min(receiver->Left, b.Left);
                    receiver->Top = std::min(receiver->Top, b.Top);
                    receiver->Right = std::max(receiver->Right, b.Right);
                    receiver->Bottom = std::max(receiver->Bottom, b.Bottom);
                    receiver->Points.insert(receiver->Points.end(), b.Points.begin(),
                                            b.Points.end());
                    b = TBlob{};
                }
            }
            if (!receiver)
                blobs.push_back({{{x, y}}, x, y, x, y});
        }
    }
    std::vector<TBlob> kept;
    for (TBlob& b : blobs) {
        if (!b.Points.empty() && int(b.Points.size()) >= minimum)
            kept.push_back(std::move(b));
    }
    return kept;
}

QImage referenceBinarize(const QImage& image, int threshold)
{
    QImage out(image.size(), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            // Hundredths are exact; ties go to the even neighbour.
            const int sum = 30 * qRed(c) + 59 * qGreen(c) + 11 * qBlue(c);
            const double gray = std::nearbyint(sum / 100.0);
            const int v = gray > threshold ? 255 : 0;
            out.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return out;
}

} // namespace sw::test
