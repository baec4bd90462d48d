#include "reports/reportpdf.h"

#include <QPageLayout>
#include <QPageSize>

namespace sw {

namespace {

constexpr double PointsPerInch = 72;

} // namespace

ReportPdf::ReportPdf(const QString& title)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(ReportDotsPerInch);
    m_writer->setCreator(QStringLiteral("Sheetwright"));
    m_writer->setTitle(title);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    if (m_painter.begin(m_writer.get())) {
        m_painter.scale(ReportDotsPerInch / PointsPerInch, ReportDotsPerInch / PointsPerInch);
        m_painter.setRenderHint(QPainter::Antialiasing);
    }
}

ReportPdf::~ReportPdf()
{
    if (m_painter.isActive())
        m_painter.end();
}

QSizeF ReportPdf::pageSize()
{
    return QPageSize(QPageSize::A4).size(QPageSize::Point);
}

void ReportPdf::newPage()
{
    m_writer->newPage();
}

QByteArray ReportPdf::finish()
{
    if (!m_painter.isActive() || !m_painter.end())
        return {};
    return m_buffer.data();
}

QFont reportFont(double points, bool bold)
{
    QFont font(QStringLiteral("宋体"));
    // The device's dots make a point size larger by ReportDotsPerInch / 72, which
    // the painter's scale already applies.
    font.setPointSizeF(points * PointsPerInch / ReportDotsPerInch);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(bold);
    return font;
}

} // namespace sw
