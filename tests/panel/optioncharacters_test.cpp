#include "panel_support.h"

#include "editor/optioncharacters.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

namespace sw::test {
namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(OptionCharacters, BuiltInListHasItsSixtySixEntries)
{
    const QStringList list = builtInOptionCharacters();
    ASSERT_EQ(list.size(), 66);
    EXPECT_EQ(list.first(), "TF");
    EXPECT_EQ(list[7], "0123456789");
    EXPECT_EQ(list[42], "1248");
    EXPECT_EQ(list[43], "A");
    EXPECT_EQ(list[44], "AB");
    EXPECT_EQ(list.last(), "ABCDEFGHIJKLMNOPQRSTUVW");
    EXPECT_EQ(list.indexOf("876543210"), 34);
}

TEST(OptionCharacters, MissingFileIsNoError)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(readOptionCharacterFile(dir.path(), &error).has_value());
    EXPECT_TRUE(error.isEmpty());
}

TEST(OptionCharacters, FileInTheTempFolderGivesItsLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("temp"));
    writeFile(dir.filePath("temp/typelist.tmp"), "ABCD\r\nTF\r\n\r\n0123\r\n");
    const auto list = readOptionCharacterFile(dir.path());
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(*list, (QStringList{"ABCD", "TF", "", "0123"}));
}

TEST(OptionCharacters, FileNamedWithABackslashIsAcceptedToo)
{
    QTemporaryDir dir;
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    const QByteArray bytes = QByteArray(gbk.encode(QStringLiteral("对错\nAB")));
    writeFile(dir.filePath("temp\\typelist.tmp"), bytes);
    const auto list = readOptionCharacterFile(dir.path());
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(*list, (QStringList{"对错", "AB"}));

    writeFile(dir.filePath("temp\\typelist.tmp"), QStringLiteral("是否\n").toUtf8());
    EXPECT_EQ(*readOptionCharacterFile(dir.path()), QStringList{"是否"});
}

TEST(OptionCharacters, OversizedFileIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("temp"));
    writeFile(dir.filePath("temp/typelist.tmp"), QByteArray(MaxOptionCharacterFileSize + 1, 'A'));
    QString error;
    EXPECT_FALSE(readOptionCharacterFile(dir.path(), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

using OptionListTest = PanelTest;

TEST_F(OptionListTest, TheFileReplacesTheListAndKeepsTheTypedCharacters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("temp"));
    auto* chars = control<QComboBox>("OptionCharactersList");
    chars->setEditText("XY");

    QString error;
    EXPECT_TRUE(panel->ReadOptionCharacterFile(dir.path(), &error));
    EXPECT_EQ(panel->OptionCharacterList(), builtInOptionCharacters());

    writeFile(dir.filePath("temp/typelist.tmp"), "AB\nXY\nABC\n");
    EXPECT_TRUE(panel->ReadOptionCharacterFile(dir.path(), &error));
    EXPECT_EQ(panel->OptionCharacterList(), (QStringList{"AB", "XY", "ABC"}));
    EXPECT_EQ(panel->optionCharacters(), "XY");
    EXPECT_EQ(chars->currentIndex(), 1);
    EXPECT_TRUE(records.empty());

    writeFile(dir.filePath("temp/typelist.tmp"), QByteArray(MaxOptionCharacterFileSize + 1, 'A'));
    EXPECT_FALSE(panel->ReadOptionCharacterFile(dir.path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(panel->OptionCharacterList(), (QStringList{"AB", "XY", "ABC"}));
}

} // namespace
} // namespace sw::test
