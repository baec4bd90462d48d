#include "cli/clirunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Names stored by someone else reach the terminal escaped: no control
// character of theirs moves the cursor, colours the screen or starts a line.
TEST(TextOutput, LibraryListEscapesControlCharacters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath(QStringLiteral("library.db"));
    const QString exm = dir.filePath(QStringLiteral("t.exm"));
    ASSERT_EQ(runCli({QStringLiteral("new"), exm}).exitCode, 0);
    struct Case
    {
        QString name;
        QByteArray shown;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("red\x1b[31mtext"), "red\\x1b[31mtext"},
        {QStringLiteral("two\nlines\r"), "two\\x0alines\\x0d"},
        {QStringLiteral("tab\there\\"), "tab\\x09here\\x5c"},
        {QStringLiteral("试卷\u0085"), "试卷\\x85"},
    };
    for (const Case& c : cases)
        ASSERT_EQ(runCli({QStringLiteral("library"), QStringLiteral("--db"), db,
                          QStringLiteral("add"), c.name, exm})
                      .exitCode,
                  0);
    const CliResult r =
        runCli({QStringLiteral("library"), QStringLiteral("--db"), db, QStringLiteral("list")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), qsizetype(cases.size())) << r.out.toStdString();
    QList<QByteArray> names;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        names << fields[1];
    }
    for (const Case& c : cases)
        EXPECT_TRUE(names.contains(c.shown)) << c.shown.toStdString();
}

} // namespace
} // namespace sw::test
