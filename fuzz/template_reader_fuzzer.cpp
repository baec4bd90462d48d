// libFuzzer target: any input ends in a document or an error message, and a
// document that was read writes and reads back to a stable document.
#include "document/templatestream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kPixelsPerInch = 96;

sw::StoredDocument rewritten(const sw::StoredDocument& from)
{
    sw::StoredDocument to = from;
    to.Papers.clear();
    to.GPList.clear();
    if (!sw::readTemplate(sw::writeTemplate(from), to, kPixelsPerInch))
        std::abort(); // the writer produced a stream the reader refuses
    return to;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    sw::StoredDocument document;
    QString error;
    if (!sw::readTemplate(bytes, document, kPixelsPerInch, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const sw::StoredDocument second = rewritten(document);
    const sw::StoredDocument third = rewritten(second);
    if (!(second == third) || sw::writeTemplate(second) != sw::writeTemplate(third))
        std::abort(); // writing is not stable
    return 0;
}
