#include "reports/scriptpictures.h"

#include "platform/picturecodec.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"
#include "reading/straighten.h"

#include <QFile>

namespace sw {

namespace {

// A scan file larger than this is surely not the one stored.
constexpr qint64 MaxScanFileBytes = qint64(512) << 20;

QRectF scaled(const TRect& r, double s)
{
    return {r.Left * s, r.Top * s, r.width() * s, r.height() * s};
}

} // namespace

ScriptPictures::ScriptPictures(const Exam& exam, const ExamData& data, const ReportData& report)
    : m_reader(exam.document())
{
    for (const ExamScan& scan : data.scans)
        m_scans.insert(scan.id, scan);
    for (std::size_t i = 0; i < report.questions.size(); ++i) {
        const ReportQuestion& question = report.questions[i];
        bool number = false;
        const int questionNumber = question.number.toInt(&number);
        if (question.objective && number)
            m_answerOfQuestion.insert(questionNumber, i);
    }
}

void ScriptPictures::add(ReportCandidate& candidate, const CandidateResult& result,
                         QStringList* warnings) const
{
    for (const qint64 id : result.scans) {
        const auto it = m_scans.constFind(id);
        if (it == m_scans.constEnd())
            continue;
        QString why;
        if (!addPage(candidate, *it, &why) && warnings)
            warnings->append(QStringLiteral("考生 %1 的答题卡不附扫描图 %2：%3")
                                 .arg(candidate.examNumber, it->fileName, why));
    }
}

bool ScriptPictures::addPage(ReportCandidate& candidate, const ExamScan& scan, QString* why) const
{
    QFile file(scan.fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("文件不能打开（%1）").arg(file.errorString());
        return false;
    }
    if (file.size() > MaxScanFileBytes) {
        *why = QStringLiteral("文件已改变");
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (scanHash(bytes) != scan.sha256) {
        *why = QStringLiteral("文件已改变（SHA-256 不同）");
        return false;
    }
    QString error;
    const QImage image = decodeScan(bytes, scan.fileName, &error);
    if (image.isNull()) {
        *why = error;
        return false;
    }
    const SheetReading reading = m_reader.read(image);
    if (!reading.isRead() || reading.PageIndex != scan.reading.PageIndex) {
        *why = QStringLiteral("不能再次识读（%1）").arg(reading.statusText());
        return false;
    }
    const PageGeometry& page = m_reader.pages()[std::size_t(reading.PageIndex)];
    const double s = reading.Map.scale();
    QImage straight =
        straightenedArea(GreyView(image), reading.Map, QRectF(0, 0, page.Width, page.Height), s);
    if (straight.isNull()) {
        *why = QStringLiteral("页面不能校正");
        return false;
    }
    const int pictureIndex = int(candidate.pictures.size());
    candidate.pictures.push_back(std::move(straight));
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        if (box.Purpose != RSResult)
            continue;
        for (const QuestionGeometry& question : box.Questions) {
            const auto answer = m_answerOfQuestion.constFind(question.Number);
            if (answer == m_answerOfQuestion.constEnd())
                continue;
            for (const CellGeometry& cell : question.Cells)
                if (!cell.Label.isEmpty())
                    candidate.answers[*answer].cells.push_back(
                        {pictureIndex, scaled(cell.Rect, s), cell.Label.front()});
        }
    }
    return true;
}

} // namespace sw
