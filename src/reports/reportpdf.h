#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfWriter>
#include <QSizeF>
#include <QString>
#include <memory>

namespace sw {

// The resolution the reports are painted at, which reportFont() assumes of
// the device: fine enough that Qt's integer device coordinates do not show
// in the vector output.
constexpr int ReportDotsPerInch = 1200;

// An A4 portrait PDF built in memory, painted in points (1/72 inch) from the
// page's top left corner. Text stays text; Qt embeds the fonts it uses.
class ReportPdf
{
public:
    explicit ReportPdf(const QString& title);
    ~ReportPdf();
    ReportPdf(const ReportPdf&) = delete;
    ReportPdf& operator=(const ReportPdf&) = delete;

    bool isActive() const { return m_painter.isActive(); }
    QPainter& painter() { return m_painter; }
    static QSizeF pageSize(); // in points

    void newPage();
    // Ends painting and returns the file's bytes; empty when painting failed.
    QByteArray finish();

private:
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};

// The report's font, `points` high on the page (the painter is scaled to
// points) on a device of ReportDotsPerInch: the Chinese serif the templates' "宋体" maps to, so the
// same characters print here as on the sheets.
QFont reportFont(double points, bool bold = false);

} // namespace sw
