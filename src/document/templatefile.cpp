#include "document/vectorgraphics.h"

#include "document/stream/largepages.h"
#include "document/templatestream.h"
#include "shapes/rectkg.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <algorithm>

namespace sw {

namespace {

using stream::reserveLarge;

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

bool isRecognitionKind(TGraphicsType kind)
{
    return kind == GKg || kind == GZg || kind == GDw || kind == Gbarcode || kind == GMHSB;
}

// The whole content of `device` from where it stands; a large file lands in
// memory advised for large pages.
QByteArray readWhole(QIODevice& device)
{
    const qint64 size = device.isSequential() ? 0 : device.size() - device.pos();
    if (size <= 0)
        return device.readAll();
    QByteArray bytes(size, Qt::Uninitialized);
    adviseLargePages(bytes.data(), std::size_t(size));
    bytes.truncate(std::max<qint64>(device.read(bytes.data(), size), 0));
    bytes += device.readAll(); // what was added since the size was taken
    return bytes;
}

bool hasNoBubbles(const TGraphics& shape)
{
    const auto* box = shape.Kind == GKg ? dynamic_cast<const TRectKg*>(&shape) : nullptr;
    return box && (box->Row == 0 || box->col == 0);
}

} // namespace

bool TVectorGraphics::SaveToStream(int mode, QIODevice& stream, QString* error)
{
    if (mode != SaveAllShapes && mode != SaveRecognitionShapes && mode != SaveRecordsAsTheyAre) {
        setError(error, QStringLiteral("Invalid save mode %1").arg(mode));
        return false;
    }
    if (mode != SaveRecordsAsTheyAre) {
        Papers.clear();
        GPList.clear();
        for (const auto& page : m_pages) {
            for (int i = page->ShapeCount() - 1; i >= 0; --i) {
                TGraphics* shape = page->ShapeItem(i);
                if (!hasNoBubbles(*shape))
                    continue;
                if (ActiveShape == shape)
                    ActiveShape = nullptr;
                page->RemoveShape(shape);
                Q_EMIT changed();
            }
        }
        std::size_t shapes = 0;
        for (const auto& page : m_pages)
            shapes += std::size_t(page->ShapeCount());
        Papers.reserve(m_pages.size());
        reserveLarge(GPList, shapes);
        for (int p = 0; p < PageCount(); ++p) {
            const TVectorGraph& page = *PageAt(p);
            RecordFromPage(page);
            for (const auto& shape : page.Shapes()) {
                if (mode == SaveAllShapes || isRecognitionKind(shape->Kind))
                    RecordFromShape(p, *shape);
            }
        }
    }
    qint64 written = 0;
    const bool complete = writeTemplate(*this, [&stream, &written](QByteArrayView chunk) {
        written = stream.write(chunk.data(), chunk.size());
        return written == chunk.size();
    });
    if (!complete) {
        // A short write (disk full, size limit) leaves no error string.
        setError(error, written < 0 ? stream.errorString() : QStringLiteral("Stream write error"));
        return false;
    }
    return true;
}

bool TVectorGraphics::SaveToFile(int mode, const QString& fileName, QString* error)
{
    QSaveFile file(fileName);
    // Unbuffered, so a short write shows in the count of SaveToStream rather
    // than being lost in a flush that reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, QStringLiteral("Cannot create file %1").arg(fileName));
        return false;
    }
    if (!SaveToStream(mode, file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    FileName = fileName;
    return true;
}

bool TVectorGraphics::LoadFromStream(QIODevice& stream, QString* error)
{
    if (!stream.seek(0)) {
        setError(error, QStringLiteral("Stream read error"));
        return false;
    }
    const QByteArray bytes = readWhole(stream);
    return loadStored(
        [&](StoredDocument& loaded) { return readTemplate(bytes, loaded, PixelsPerInch, error); },
        error);
}

bool TVectorGraphics::LoadFromRecords(const StoredDocument& records, QString* error)
{
    return loadStored(
        [&](StoredDocument& loaded) {
            copyTemplate(records, loaded, PixelsPerInch);
            return true;
        },
        error);
}

bool TVectorGraphics::loadStored(const std::function<bool(StoredDocument&)>& read, QString* error)
{
    // Read into a copy: properties the stream lacks keep the document's values.
    // The records and lists are not carried over, so they are set aside
    // rather than copied.
    TVectorGraphics loaded(PixelsPerInch);
    {
        std::vector<TPaper> papers = std::move(Papers);
        std::vector<TGPS> shapes = std::move(GPList);
        QStringList geifen = std::move(Geifen);
        Papers.clear();
        GPList.clear();
        Geifen.clear();
        static_cast<StoredDocument&>(loaded) = static_cast<const StoredDocument&>(*this);
        Papers = std::move(papers);
        GPList = std::move(shapes);
        Geifen = std::move(geifen);
    }
    if (!read(loaded))
        return false;

    for (int i = 0; i < int(loaded.Papers.size()); ++i)
        loaded.m_pages.push_back(loaded.PageFromRecord(i));
    for (int i = 0; i < int(loaded.GPList.size()); ++i) {
        const int pageIndex = loaded.GPList[std::size_t(i)].VGIndex;
        if (pageIndex < 0 || pageIndex >= loaded.PageCount()) {
            setError(error, QStringLiteral("List index out of bounds (%1)").arg(pageIndex));
            return false;
        }
        loaded.ShapeFromRecord(*loaded.PageAt(pageIndex), i, false);
    }

    Clear();
    static_cast<StoredDocument&>(*this) = std::move(static_cast<StoredDocument&>(loaded));
    m_pages = std::move(loaded.m_pages);
    Q_EMIT changed();
    return true;
}

bool TVectorGraphics::LoadFromFile(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot open file %1").arg(fileName));
        return false;
    }
    if (!LoadFromStream(file, error))
        return false;
    FileName = fileName;
    return true;
}

} // namespace sw
