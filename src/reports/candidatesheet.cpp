#include "reports/candidatesheet.h"

#include "platform/outputfile.h"
#include "reports/reportformat.h"
#include "reports/reportpdf.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QSet>
#include <QTransform>
#include <algorithm>
#include <optional>

namespace sw {

namespace {

constexpr double Margin = 28;
constexpr double HeadingHeight = 30;
constexpr double OutlineWidth = 1.2;
constexpr double NotePoints = 7;
constexpr double TableRowHeight = 13;
constexpr int TableGroups = 3;
constexpr qsizetype MostFileNameCharacters = 100;
const QColor RightColour(0, 160, 0);
const QColor WrongColour(220, 0, 0);
const QColor BlankColour(150, 150, 150);

QString statusText(CandidateStatus status)
{
    switch (status) {
    case CandidateStatus::Ok:
        return QStringLiteral("正常");
    case CandidateStatus::Absent:
        return QStringLiteral("缺考");
    case CandidateStatus::Cheating:
        return QStringLiteral("违纪");
    case CandidateStatus::Review:
        return QStringLiteral("待复核");
    case CandidateStatus::Missing:
        return QStringLiteral("缺卷");
    }
    return {};
}

void paintHeading(QPainter& painter, const ReportData& data, const ReportCandidate& candidate)
{
    const double width = ReportPdf::pageSize().width() - 2 * Margin;
    painter.setPen(Qt::black);
    painter.setFont(reportFont(10, true));
    painter.drawText(QRectF(Margin, Margin - 14, width, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     data.examName);
    painter.setFont(reportFont(10));
    painter.drawText(QRectF(Margin, Margin, width, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("考号 %1    姓名 %2    卷型 %3    %4    总分 %5")
                         .arg(candidate.examNumber, candidate.name, candidate.paperType,
                              statusText(candidate.status), formatPoints(candidate.total)));
}

// How a cell is outlined: its colour, or none when it is not outlined.
std::optional<QColor> cellColour(const ReportAnswer& answer, const QString& key, QChar option)
{
    if (answer.chosen.isEmpty())
        return BlankColour;
    if (!answer.chosen.contains(option))
        return std::nullopt;
    return key.contains(option) ? RightColour : WrongColour;
}

// The points and, for an answer short of full points, the key, right of the
// question's cells.
void paintNote(QPainter& painter, const QRectF& cells, const ReportQuestion& question,
               const ReportAnswer& answer, const QString& key)
{
    const bool full = answer.points >= question.points;
    QString note = QStringLiteral("%1分").arg(formatPoints(answer.points));
    if (!full && !key.isEmpty())
        note = QStringLiteral("答案 %1  ").arg(key) + note;
    painter.setPen(answer.chosen.isEmpty() ? BlankColour : full ? RightColour : WrongColour);
    painter.setFont(reportFont(NotePoints, true));
    painter.drawText(QRectF(cells.right() + 3, cells.center().y() - 6, 120, 12),
                     Qt::AlignLeft | Qt::AlignVCenter, note);
}

void paintPicturePage(QPainter& painter, const ReportData& data, const ReportCandidate& candidate,
                      int page)
{
    const QImage& picture = candidate.pictures[std::size_t(page)];
    const QRectF placement = candidatePicturePlacement(picture.size());
    painter.drawImage(placement, picture);
    const QTransform toPage =
        QTransform::fromTranslate(placement.left(), placement.top())
            .scale(placement.width() / picture.width(), placement.height() / picture.height());
    for (std::size_t q = 0; q < data.questions.size(); ++q) {
        const ReportAnswer& answer = candidate.answers[q];
        const QString key = data.questions[q].keyFor(candidate.paperType);
        QRectF cells;
        for (const AnswerCell& cell : answer.cells) {
            if (cell.page != page)
                continue;
            const QRectF onPage = toPage.mapRect(cell.rect);
            cells = cells.isNull() ? onPage : cells.united(onPage);
            if (const auto colour = cellColour(answer, key, cell.option)) {
                painter.setPen(QPen(*colour, OutlineWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(onPage);
            }
        }
        if (!cells.isNull())
            paintNote(painter, cells, data.questions[q], answer, key);
    }
}

// Every question's answer, key and points in columns of rows, over as many
// pages as they need, and the total.
void paintAnswerList(ReportPdf& pdf, const ReportData& data, const ReportCandidate& candidate)
{
    QPainter& painter = pdf.painter();
    const double width = ReportPdf::pageSize().width() - 2 * Margin;
    const double groupWidth = width / TableGroups;
    const double cellWidth = groupWidth / 4;
    const double top = Margin + HeadingHeight;
    const int rows =
        std::max(1, int((ReportPdf::pageSize().height() - top - Margin) / TableRowHeight) - 3);
    const std::size_t perPage = std::size_t(rows) * TableGroups;
    const QStringList titles = {QStringLiteral("题号"), QStringLiteral("作答"),
                                QStringLiteral("答案"), QStringLiteral("得分")};
    for (std::size_t q = 0; q < data.questions.size(); ++q) {
        if (q > 0 && q % perPage == 0) {
            pdf.newPage();
            paintHeading(painter, data, candidate);
        }
        const int row = int(q % std::size_t(rows));
        const double x = Margin + double((q % perPage) / std::size_t(rows)) * groupWidth;
        painter.setFont(reportFont(NotePoints + 1));
        if (row == 0) {
            painter.setPen(Qt::black);
            for (int c = 0; c < 4; ++c)
                painter.drawText(QRectF(x + c * cellWidth, top, cellWidth, TableRowHeight),
                                 Qt::AlignCenter, titles.at(c));
        }
        const ReportAnswer& answer = candidate.answers[q];
        const QString key = data.questions[q].keyFor(candidate.paperType);
        const bool full = answer.points >= data.questions[q].points;
        const QStringList texts = {data.questions[q].number,
                                   answer.chosen.isEmpty() ? QStringLiteral("—") : answer.chosen,
                                   key, formatPoints(answer.points)};
        painter.setPen(answer.chosen.isEmpty() ? BlankColour : full ? Qt::black : WrongColour);
        const double y = top + (row + 1) * TableRowHeight;
        for (int c = 0; c < 4; ++c)
            painter.drawText(QRectF(x + c * cellWidth, y, cellWidth, TableRowHeight),
                             Qt::AlignCenter, texts.at(c));
    }
    const std::size_t count = data.questions.size();
    const std::size_t onLastPage = count == 0 ? 0 : (count - 1) % perPage + 1;
    const double listed = double(std::min(onLastPage, std::size_t(rows)));
    painter.setPen(Qt::black);
    painter.setFont(reportFont(11, true));
    painter.drawText(QRectF(Margin, top + (listed + 1.5) * TableRowHeight, width, 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("总分 %1").arg(formatPoints(candidate.total)));
}

QString uniqueName(const QString& base, QSet<QString>& taken)
{
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
        name = QStringLiteral("%1-%2.pdf").arg(base).arg(n);
    taken.insert(name.toCaseFolded());
    return name;
}

// The files `inputs` name, each as resolvedPath gives it.
QSet<QByteArray> resolvedFiles(const QStringList& inputs)
{
    QSet<QByteArray> files;
    for (const QString& input : inputs)
        files.insert(resolvedPath(QFile::encodeName(input)));
    return files;
}

} // namespace

QRectF candidatePicturePlacement(QSize pictureSize)
{
    const QSizeF page = ReportPdf::pageSize();
    const QRectF room(Margin, Margin + HeadingHeight, page.width() - 2 * Margin,
                      page.height() - 2 * Margin - HeadingHeight);
    if (pictureSize.isEmpty())
        return QRectF(room.topLeft(), QSizeF(0, 0));
    const QSizeF size = QSizeF(pictureSize).scaled(room.size(), Qt::KeepAspectRatio);
    return QRectF(room.left() + (room.width() - size.width()) / 2, room.top(), size.width(),
                  size.height());
}

QByteArray candidateSheetPdf(const ReportData& data, const ReportCandidate& candidate)
{
    ReportPdf pdf(QStringLiteral("%1 %2").arg(candidate.examNumber, candidate.name));
    if (!pdf.isActive())
        return {};
    QPainter& painter = pdf.painter();
    for (int page = 0; page < int(candidate.pictures.size()); ++page) {
        paintHeading(painter, data, candidate);
        if (!candidate.pictures[std::size_t(page)].isNull())
            paintPicturePage(painter, data, candidate, page);
        pdf.newPage();
    }
    paintHeading(painter, data, candidate);
    paintAnswerList(pdf, data, candidate);
    return pdf.finish();
}

QString candidateSheetFileName(const ReportCandidate& candidate)
{
    QString name = QStringList({candidate.examNumber, candidate.name}).join(QLatin1Char('-'));
    for (QChar& c : name) {
        const bool unsafe = (!c.isPrint() && !c.isSurrogate()) || c.isSpace() ||
                            QStringLiteral("/\\:*?\"<>|").contains(c);
        if (unsafe)
            c = u'_';
    }
    while (name.startsWith(u'.') || name.startsWith(u'-'))
        name.remove(0, 1);
    name.truncate(MostFileNameCharacters);
    if (!name.isEmpty() && name.back().isHighSurrogate())
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("考生") : name;
}

bool writeCandidateSheets(const ReportData& data, const QString& folder, const QStringList& inputs,
                          QStringList* written, QString* error,
                          const std::function<void(std::size_t, ReportCandidate&)>& addPictures)
{
    if (!checkReportData(data, error))
        return false;
    const QSet<QByteArray> inputFiles = resolvedFiles(inputs);
    QSet<QString> taken;
    for (std::size_t index = 0; index < data.candidates.size(); ++index) {
        const ReportCandidate& candidate = data.candidates[index];
        if (candidate.status == CandidateStatus::Missing)
            continue;
        const QString name = uniqueName(candidateSheetFileName(candidate), taken);
        const QString path = QDir(folder).filePath(name);
        if (inputFiles.contains(resolvedPath(QFile::encodeName(path)))) {
            if (error)
                *error = writeFailure(path, QStringLiteral("it is one of the input files"));
            return false;
        }
        QByteArray bytes;
        if (addPictures) {
            ReportCandidate withPictures = candidate;
            addPictures(index, withPictures);
            bytes = candidateSheetPdf(data, withPictures);
        } else {
            bytes = candidateSheetPdf(data, candidate);
        }
        if (bytes.isEmpty()) {
            if (error)
                *error = writeFailure(path, QStringLiteral("the PDF could not be painted"));
            return false;
        }
        const auto write = [&bytes](QIODevice& device, QString*) {
            return device.write(bytes) == bytes.size();
        };
        if (!saveOutputFile(folder, name, write, error))
            return false;
        if (written)
            written->append(path);
    }
    return true;
}

} // namespace sw
