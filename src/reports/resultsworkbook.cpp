#include "reports/resultsworkbook.h"

#include "platform/outputfile.h"
#include "reports/itemanalysis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <xlsxwriter.h>

namespace sw {

namespace {

const char* const ResultsSheet = "成绩";
const char* const ItemSheet = "题目分析";

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

// Writes cells row by row, keeping the first error libxlsxwriter reports.
class SheetWriter
{
public:
    explicit SheetWriter(lxw_worksheet* sheet) : m_sheet(sheet) {}

    void text(lxw_row_t row, lxw_col_t column, const QString& value, lxw_format* format = nullptr)
    {
        keep(worksheet_write_string(m_sheet, row, column, value.toUtf8().constData(), format));
    }

    // A number, or an empty cell when it is not defined.
    void number(lxw_row_t row, lxw_col_t column, double value, lxw_format* format = nullptr)
    {
        if (std::isnan(value))
            return;
        keep(worksheet_write_number(m_sheet, row, column, value, format));
    }

    lxw_error error() const { return m_error; }

private:
    void keep(lxw_error error)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }

    lxw_worksheet* m_sheet;
    lxw_error m_error = LXW_NO_ERROR;
};

QStringList rosterColumnNames(const ReportData& data)
{
    QStringList names;
    for (const ReportCandidate& candidate : data.candidates) {
        for (const auto& column : candidate.rosterColumns) {
            if (!names.contains(column.first))
                names.append(column.first);
        }
    }
    return names;
}

QString rosterValue(const ReportCandidate& candidate, const QString& name)
{
    for (const auto& column : candidate.rosterColumns) {
        if (column.first == name)
            return column.second;
    }
    return {};
}

lxw_error writeResults(lxw_worksheet* sheet, lxw_format* header, const ReportData& data)
{
    SheetWriter out(sheet);
    const QStringList roster = rosterColumnNames(data);
    QStringList titles = {QStringLiteral("exam_number"), QStringLiteral("name"),
                          QStringLiteral("paper_type"), QStringLiteral("status"),
                          QStringLiteral("total")};
    for (const ReportQuestion& question : data.questions)
        titles.append(question.number);
    titles.append(roster);
    for (qsizetype c = 0; c < titles.size(); ++c)
        out.text(0, lxw_col_t(c), titles.at(c), header);
    lxw_row_t row = 1;
    for (const ReportCandidate& candidate : data.candidates) {
        out.text(row, 0, candidate.examNumber);
        out.text(row, 1, candidate.name);
        out.text(row, 2, candidate.paperType);
        out.text(row, 3, candidateStatusName(candidate.status));
        out.number(row, 4, candidate.total);
        lxw_col_t column = 5;
        for (const ReportAnswer& answer : candidate.answers)
            out.number(row, column++, answer.points);
        for (const QString& name : roster)
            out.text(row, column++, rosterValue(candidate, name));
        ++row;
    }
    worksheet_freeze_panes(sheet, 1, 2);
    return out.error();
}

lxw_error writeItems(lxw_workbook* workbook, lxw_worksheet* sheet, lxw_format* header,
                     const ReportData& data)
{
    lxw_format* figure = workbook_add_format(workbook);
    format_set_num_format(figure, "0.00");
    lxw_format* share = workbook_add_format(workbook);
    format_set_num_format(share, "0.0%");
    const std::vector<ItemStatistics> items = analyseItems(data);
    QString options;
    for (const ItemStatistics& item : items) {
        for (const OptionShare& option : item.options) {
            if (!options.contains(option.option))
                options.append(option.option);
        }
    }
    SheetWriter out(sheet);
    QStringList titles = {QStringLiteral("题号"),   QStringLiteral("分值"),
                          QStringLiteral("答案"),   QStringLiteral("难度"),
                          QStringLiteral("区分度"), QStringLiteral("点二列相关")};
    for (QChar option : options)
        titles.append(QString(option));
    titles.append({QStringLiteral("空白"), QStringLiteral("多选"), QStringLiteral("标记")});
    for (qsizetype c = 0; c < titles.size(); ++c)
        out.text(0, lxw_col_t(c), titles.at(c), header);
    lxw_row_t row = 1;
    for (const ItemStatistics& item : items) {
        out.text(row, 0, item.number);
        out.number(row, 1, item.points);
        out.text(row, 2, item.keyText);
        out.number(row, 3, item.difficulty, figure);
        out.number(row, 4, item.discrimination, figure);
        out.number(row, 5, item.pointBiserial, figure);
        lxw_col_t column = 6;
        for (QChar option : options) {
            for (const OptionShare& offered : item.options) {
                if (offered.option == option)
                    out.number(row, column, offered.share, share);
            }
            ++column;
        }
        out.number(row, column++, item.blanks);
        out.number(row, column++, item.doubles);
        QStringList flags;
        if (item.negativeDiscrimination)
            flags.append(QStringLiteral("区分度为负"));
        if (item.distractorAboveKey)
            flags.append(QStringLiteral("干扰项多于答案"));
        out.text(row, column, flags.join(QStringLiteral("，")));
        ++row;
    }
    worksheet_freeze_panes(sheet, 1, 1);
    return out.error();
}

// Builds the workbook in the file `fileName`.
bool buildWorkbook(const ReportData& data, const QString& fileName, QString* error)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(fileName).constData());
    if (!workbook)
        return fail(error, QStringLiteral("cannot start the workbook %1").arg(fileName));
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    lxw_worksheet* results = workbook_add_worksheet(workbook, ResultsSheet);
    lxw_worksheet* items = workbook_add_worksheet(workbook, ItemSheet);
    lxw_error status = results && items ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (status == LXW_NO_ERROR)
        status = writeResults(results, header, data);
    if (status == LXW_NO_ERROR)
        status = writeItems(workbook, items, header, data);
    // Closing writes the file and frees the workbook, so it runs in any case.
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR)
        return fail(error, QString::fromUtf8(lxw_strerror(status)));
    return true;
}

// Whether the file is a finished workbook: a zip archive with its end record.
bool looksComplete(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 22 || file.read(2) != "PK")
        return false;
    file.seek(file.size() - 22);
    return file.read(4) == QByteArray("PK\x05\x06", 4);
}

} // namespace

bool writeResultsWorkbook(const ReportData& data, const QString& path, QString* error)
{
    if (!checkReportData(data, error) || !outputFolderExists(path, error))
        return false;
    const QFileInfo info(path);
    QString target;
    if (!prepareOutputPath(info.path(), info.fileName(), &target, error))
        return false;
    QTemporaryFile temporary(
        QDir(info.path()).filePath(QStringLiteral(".%1-XXXXXX.xlsx").arg(info.completeBaseName())));
    if (!temporary.open())
        return fail(error, writeFailure(path, temporary.errorString()));
    QString reason;
    if (!buildWorkbook(data, temporary.fileName(), &reason))
        return fail(error, writeFailure(path, reason));
    if (!looksComplete(temporary.fileName()))
        return fail(error, writeFailure(path, QStringLiteral("the workbook came out incomplete")));
    const QFileDevice::Permissions permissions =
        QFileInfo::exists(target) ? QFile::permissions(target)
                                  : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ReadOther;
    temporary.setPermissions(permissions);
    if (::fsync(temporary.handle()) != 0)
        return fail(error, writeFailure(path, QString::fromLocal8Bit(std::strerror(errno))));
    // The way is checked again just before the rename, so a link planted meanwhile is refused.
    if (!prepareOutputPath(info.path(), info.fileName(), &target, error))
        return false;
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        return fail(error, writeFailure(path, QString::fromLocal8Bit(std::strerror(errno))));
    temporary.setAutoRemove(false);
    return true;
}

} // namespace sw
