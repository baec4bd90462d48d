#include "wizard/settings.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace sw::test {

using sw::WizardSettings;

namespace {

QJsonObject json(const char* text)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text), &parseError);
    EXPECT_EQ(parseError.error, QJsonParseError::NoError) << text;
    return document.object();
}

} // namespace

TEST(WizardSettings, StartsAtTheDefaults)
{
    const WizardSettings settings;
    EXPECT_EQ(settings.pagecount, 2);
    EXPECT_EQ(settings.pagesize, sw::WizardA3);
    EXPECT_EQ(settings.pagetype, sw::WizardTwoColumns);
    EXPECT_EQ(settings.examcodetype, sw::WizardBubbles);
    EXPECT_EQ(settings.examcodeleng, 12);
    EXPECT_EQ(settings.kgcount, 15);
    EXPECT_EQ(settings.groupnumber, 5);
    ASSERT_EQ(settings.attention.size(), 12);
    EXPECT_EQ(settings.attention.first(), QStringLiteral("1.答题前,考生先将自己的院系、专业、"));
    EXPECT_EQ(settings.attention.last(), QStringLiteral("皱，不准使用涂改液、修正带、刮纸刀。"));
    EXPECT_EQ(settings.title,
              QStringList({QStringLiteral("示范大学"), QStringLiteral("《》答题纸")}));
    EXPECT_EQ(settings.info, QStringList({QStringLiteral("院系"), QStringLiteral("专业"),
                                          QStringLiteral("年级"), QStringLiteral("姓名")}));
    EXPECT_EQ(settings.warning,
              QStringLiteral("请在各题的答题区域内作答,超出黑色矩形边框限定的答案无效"));
    EXPECT_TRUE(settings.validate());
}

TEST(WizardSettings, KeysFollowTheStorageOrder)
{
    EXPECT_EQ(sw::wizardSettingKeys(),
              QStringList({"pagecount", "pagesize", "pagetype", "examcodetype", "examcodeleng",
                           "kgcount", "groupnumber", "attention", "title", "info", "warning"}));
}

struct RangeCase
{
    const char* key;
    int minimum;
    int maximum;
};

void PrintTo(const RangeCase& c, std::ostream* out)
{
    *out << c.key;
}

class WizardRange : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(WizardRange, AcceptsTheBoundsAndRefusesBeyondThem)
{
    const RangeCase range = GetParam();
    const QString key = QLatin1String(range.key);
    for (int value : {range.minimum, range.maximum}) {
        WizardSettings settings;
        QString error;
        EXPECT_TRUE(settings.applyJson(QJsonObject{{key, value}}, &error)) << error.toStdString();
    }
    for (int value : {range.minimum - 1, range.maximum + 1}) {
        WizardSettings settings;
        QString error;
        EXPECT_FALSE(settings.applyJson(QJsonObject{{key, value}}, &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("向导设置“"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("（%1）").arg(key))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::number(value))) << error.toStdString();
        EXPECT_EQ(settings, WizardSettings());
    }
}

INSTANTIATE_TEST_SUITE_P(AllIntegers, WizardRange,
                         ::testing::Values(RangeCase{"pagecount", 1, 4},
                                           RangeCase{"pagesize", 0, 2}, RangeCase{"pagetype", 0, 1},
                                           RangeCase{"examcodetype", 0, 1},
                                           RangeCase{"examcodeleng", 1, 20},
                                           RangeCase{"kgcount", 1, 200},
                                           RangeCase{"groupnumber", 1, 200}),
                         [](const auto& info) { return std::string(info.param.key); });

TEST(WizardSettings, ValidateNamesTheKey)
{
    WizardSettings settings;
    settings.groupnumber = 0;
    QString error;
    EXPECT_FALSE(settings.validate(&error));
    EXPECT_EQ(error,
              QStringLiteral("向导设置“每组数量”（groupnumber）的值 0 超出 1 到 200 的范围"));

    settings = WizardSettings();
    settings.warning = QStringLiteral("one\ntwo");
    EXPECT_FALSE(settings.validate(&error));
    EXPECT_EQ(error, QStringLiteral("向导设置“警告内容”（warning）只能有一行"));

    settings = WizardSettings();
    settings.info = {QStringLiteral("a\r\nb")};
    EXPECT_FALSE(settings.validate(&error));
    EXPECT_EQ(error, QStringLiteral("向导设置“信息”（info）的第 1 行含有换行符"));
}

TEST(WizardSettings, JsonOverridesReplaceOnlyTheNamedSettings)
{
    WizardSettings settings;
    QString error;
    ASSERT_TRUE(settings.applyJson(json(R"({"pagecount": 1, "pagesize": 0, "kgcount": 40,
        "title": ["第一行", "", "第三行"], "info": "院系|专业\r\n姓名",
        "attention": [], "warning": ["只一行"]})"),
                                   &error))
        << error.toStdString();
    EXPECT_EQ(settings.pagecount, 1);
    EXPECT_EQ(settings.pagesize, sw::WizardA4);
    EXPECT_EQ(settings.kgcount, 40);
    EXPECT_EQ(settings.title, QStringList({"第一行", "", "第三行"}));
    EXPECT_EQ(settings.info, QStringList({"院系|专业", "姓名"}));
    EXPECT_TRUE(settings.attention.isEmpty());
    EXPECT_EQ(settings.warning, QStringLiteral("只一行"));
    EXPECT_EQ(settings.examcodeleng, 12);
    EXPECT_EQ(settings.groupnumber, 5);
}

struct BadJsonCase
{
    const char* label;
    const char* json;
    const char* messageStart;
};

void PrintTo(const BadJsonCase& c, std::ostream* out)
{
    *out << c.label;
}

class WizardBadJson : public ::testing::TestWithParam<BadJsonCase>
{
};

TEST_P(WizardBadJson, IsRefusedWithTheKeyAndLeavesTheSettings)
{
    WizardSettings settings;
    QString error;
    EXPECT_FALSE(settings.applyJson(json(GetParam().json), &error));
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(GetParam().messageStart)))
        << error.toStdString();
    EXPECT_EQ(settings, WizardSettings());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WizardBadJson,
    ::testing::Values(
        BadJsonCase{"UnknownKey", R"({"pages": 2})", "pages 不是向导设置的名称"},
        BadJsonCase{"StringForInteger", R"({"kgcount": "40"})",
                    "向导设置“客观题数量”（kgcount）应为整数"},
        BadJsonCase{"Fraction", R"({"kgcount": 2.5})",
                    "向导设置“客观题数量”（kgcount）的值 2.5 不是整数"},
        BadJsonCase{"Huge", R"({"kgcount": 1e300})", "向导设置“客观题数量”（kgcount）"},
        BadJsonCase{"SizeBeyondA3", R"({"pagesize": 3})",
                    "向导设置“尺寸”（pagesize）的值 3 超出 0 到 2 的范围"},
        BadJsonCase{"DigitsBeyond20", R"({"pagecount": 2, "examcodeleng": 21})",
                    "向导设置“准考证位数”（examcodeleng）的值 21 超出 1 到 20 的范围"},
        BadJsonCase{"NumberForText", R"({"title": 5})",
                    "向导设置“标题”（title）应为字符串或由各行组成的数组"},
        BadJsonCase{"NumberInLines", R"({"title": ["a", 1]})",
                    "向导设置“标题”（title）的第 2 项应为字符串"},
        BadJsonCase{"LineWithBreak", R"({"attention": ["a\nb"]})",
                    "向导设置“注意事项”（attention）的第 1 行含有换行符"},
        BadJsonCase{"WarningWithBreak", R"({"warning": "one\ntwo"})",
                    "向导设置“警告内容”（warning）只能有一行"},
        BadJsonCase{"WarningTwoLines", R"({"warning": ["one", "two"]})",
                    "向导设置“警告内容”（warning）只能有一行"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(WizardSettings, LinesJoinWithCrLfAndSplitAtAnyLineBreak)
{
    const QStringList lines{"甲", "", "乙"};
    EXPECT_EQ(sw::joinWizardLines(lines), QStringLiteral("甲\r\n\r\n乙"));
    EXPECT_EQ(sw::splitWizardLines(sw::joinWizardLines(lines)), lines);
    EXPECT_EQ(sw::splitWizardLines(QStringLiteral("a\nb\rc\r\nd")),
              QStringList({"a", "b", "c", "d"}));
    EXPECT_TRUE(sw::splitWizardLines(QString()).isEmpty());
}

} // namespace sw::test
